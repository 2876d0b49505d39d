#pragma once
#include <windows.h>

#include "generator/TSignalSources.h"

class TGeneratorHost;

// A build's sources in the program: wave files from disk, the status bar's
// gauge and message boxes over the generator window.
class TGeneratorSources : public TSignalSources {
public:
    explicit TGeneratorSources(TGeneratorHost& host) : Host(host) {}

    // Reads only the file's header, without messages of its own: the build
    // reports a file that will not open once.
    bool QueryWave(const char* fileName, TWaveFormat& format, uint32_t& frames) override;
    std::unique_ptr<TWaveData> LoadWave(const char* fileName) override;
    void Progress(int percent) override;
    void Report(const std::string& text, unsigned style) override;


private:
    TGeneratorHost& Host;
};
