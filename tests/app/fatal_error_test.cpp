// Faults while the program starts end it at once with exit code -1 and a report, and the exit
// routine does not run; a normal end runs it.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "support/program_process.h"

namespace {

const std::wstring faultyStart = FAULTY_START_BESIDE_TEST;

struct Outcome {
    DWORD exitCode = STILL_ACTIVE;
    std::string errors;
};

Outcome runWithFault(const std::wstring& fault) {
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return {};
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdError = writeEnd;
    startup.hStdOutput = writeEnd;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    std::wstring commandLine = L"\"" + besideThisTest(faultyStart) + L"\" " + fault;
    PROCESS_INFORMATION info{};
    Outcome outcome;
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                       &startup, &info)) {
        CloseHandle(writeEnd);
        writeEnd = nullptr;
        char buffer[256];
        DWORD read = 0;
        while (ReadFile(readEnd, buffer, sizeof(buffer), &read, nullptr) && read > 0) {
            outcome.errors.append(buffer, read);
        }
        WaitForSingleObject(info.hProcess, 30000);
        GetExitCodeProcess(info.hProcess, &outcome.exitCode);
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }
    if (writeEnd) CloseHandle(writeEnd);
    CloseHandle(readEnd);
    return outcome;
}

TEST(FatalError, EndsTheProcessWithMinusOneWithoutTheExitRoutine) {
    for (const wchar_t* fault : {L"window", L"control", L"storage"}) {
        const Outcome outcome = runWithFault(fault);
        EXPECT_EQ(outcome.exitCode, static_cast<DWORD>(-1)) << outcome.errors;
        EXPECT_NE(outcome.errors.find("fatal error"), std::string::npos) << outcome.errors;
    }
}

TEST(FatalError, ANormalEndRunsTheExitRoutines) {
    const Outcome outcome = runWithFault(L"none");
    EXPECT_EQ(outcome.exitCode, 3u) << outcome.errors;  // the harness's own routine, after ours
    EXPECT_EQ(outcome.errors.find("fatal error"), std::string::npos) << outcome.errors;
}

}  // namespace
