#pragma once
// A file is written beside its target under this suffix and then moved over it in one step: the work file that
// Target.h's OutputFile stands for. The archive component stages its members under it, and the update run, its
// settings files and the tools use it too, so that whatever a cut-off run left is known and is written over by
// the next run.

constexpr char kWorkFileSuffix[] = ".parvel~";
