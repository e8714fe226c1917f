#pragma once
// A file is written beside its target under this suffix and then moved over it in one step. The update run,
// its settings files and the archive library share it, so that whatever a cut-off run left is known and is
// written over by the next run.

constexpr char kWorkFileSuffix[] = ".parvel~";
