#pragma once
// url_recorder.exe as the web browser of http addresses while a test runs, and the addresses it
// was handed, read back from its log.

#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

class StandInBrowser {
  public:
    // Makes an empty log file and registers `"recorderPath" "log" "%1"` to open http addresses.
    explicit StandInBrowser(const std::wstring& recorderPath);
    // Puts the previous handlers back and removes the log.
    ~StandInBrowser();
    StandInBrowser(const StandInBrowser&) = delete;
    StandInBrowser& operator=(const StandInBrowser&) = delete;

    // The recorder is there, its log was made and it is registered.
    bool ready() const;

    // Waits until the recorder has written at least `count` addresses and none of its processes
    // runs any more, so that no request is still on its way; then gives all it recorded.
    std::vector<std::string> recordedAddresses(std::size_t count, DWORD timeoutMs = 30000) const;

  private:
    class DefaultValueOverride;

    std::wstring logFile;
    std::unique_ptr<DefaultValueOverride> userHandler;
    std::unique_ptr<DefaultValueOverride> classesHandler;
};
