#pragma once
// The Win32 host for tests that call the engine's parts directly.

#include "Win32Host.h"

// Every Win32 role, with boxes that are shown to no one, for tests that call the engine's parts directly.
struct CQuietHost : CWin32Host {
    struct Prompts : CWin32Prompts {
        Prompts() : CWin32Prompts(nullptr) {}
        void Message(const std::string&, const std::string&) override {}
        DiskAnswer AskForDisk(const std::string&, const std::string&) override { return DiskAnswer::Cancel; }
        RetryAnswer AskRetry(const std::string&, const std::string&) override { return RetryAnswer::Cancel; }
    } prompts;
    CQuietHost() : CWin32Host(nullptr, false) {}
    operator EngineHost() { return With(prompts); }
};
