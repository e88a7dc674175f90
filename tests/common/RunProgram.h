// SPDX-License-Identifier: MIT
// Runs one of the project's programs the way a shell user would and collects what it printed
// on standard output and its exit status.
#pragma once

#include <cstdio>
#include <string>
#include <sys/wait.h>

struct ProgramResult {
    int nStatus = -1; // the exit status, -1 when it did not exit normally
    std::string strOut;
};

// strCommandLine is handed to the shell (redirections allowed); standard error is dropped.
inline ProgramResult RunProgram(const std::string& strCommandLine) {
    ProgramResult r;
    std::FILE* p = popen((strCommandLine + " 2>/dev/null").c_str(), "r");
    if (!p)
        return r;
    char buf[4096];
    for (size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;)
        r.strOut.append(buf, n);
    const int nWait = pclose(p);
    r.nStatus = WIFEXITED(nWait) ? WEXITSTATUS(nWait) : -1;
    return r;
}
