// Stand-ins for the driver's platform: a settings store in memory, files in memory, an extractor that
// runs as long as a test says, and a host that records its messages.
#pragma once
#include <cstdlib>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "archive/archive_driver.h"

namespace pel::testing {

class MemoryProfile : public IProfile {
public:
    int ReadInt(const std::string&, const std::string& section, const std::string& key, int def) override {
        auto it = values.find({section, key});
        return it == values.end() ? def : std::atoi(it->second.c_str());
    }
    std::string ReadString(const std::string&, const std::string& section, const std::string& key,
                           const std::string& def) override {
        auto it = values.find({section, key});
        std::string value = it == values.end() ? def : it->second;
        CutToCharBoundary(value, kProfileValueMax);
        return value;
    }
    bool WriteString(const std::string&, const std::string& section, const std::string& key,
                     const std::string& value) override {
        values[{section, key}] = value;
        writes.push_back(section + "/" + key + "=" + value);
        return true;
    }
    bool ReadStruct(const std::string&, const std::string&, const std::string&, void*, std::size_t) override {
        return false;
    }
    bool WriteStruct(const std::string&, const std::string&, const std::string&, const void*,
                     std::size_t) override {
        return false;
    }

    std::map<std::pair<std::string, std::string>, std::string> values;
    std::vector<std::string> writes;
};

class MemoryFiles : public IArchiveFiles {
public:
    bool FileExists(const std::string& path) override { return contents.count(path) != 0; }
    bool CreateFolder(const std::string& path) override {
        folders.insert(path);
        return true;
    }
    bool ReadAll(const std::string& path, std::string& bytes) override {
        auto it = contents.find(path);
        if (it == contents.end()) return false;
        bytes = it->second;
        return true;
    }
    bool RemoveFile(const std::string& path) override {
        contents.erase(path);
        removed.push_back(path);
        return true;
    }

    std::map<std::string, std::string> contents;
    std::set<std::string> folders;
    std::vector<std::string> removed;
};

class FakeRunner : public IProcessRunner {
public:
    bool StartHidden(const std::string& commandLine) override {
        started.push_back(commandLine);
        if (refuseStart) return false;
        pollsLeft = runningPolls;
        if (onStart) onStart(commandLine);
        return true;
    }
    bool ExtractorRunning() override {
        ++polls;
        if (pollsLeft == 0) return false;
        if (pollsLeft > 0) --pollsLeft;
        return true;
    }
    void Sleep(int milliseconds) override { sleeps.push_back(milliseconds); }
    void StopExtractor() override {
        ++stops;
        pollsLeft = 0;
    }
    int stops = 0;

    bool refuseStart = false;
    int runningPolls = 0;  // polls that still find the extractor; -1 runs for ever
    std::function<void(const std::string&)> onStart;
    std::vector<std::string> started;
    std::vector<int> sleeps;
    int polls = 0;

private:
    int pollsLeft = 0;
};

class RecordingHost : public IArchiveHost {
public:
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    std::string BrowseForExtractor() override {
        ++browses;
        return browseResult;
    }
    void ShowWaitNotice(bool shown) override { notices.push_back(shown); }
    bool ReaderGaveUp() override { return ++gaveUpAsks > keepWaitingAsks; }

    std::vector<bool> notices;
    int keepWaitingAsks = 0;  // the reader waits through this many asks, then gives up
    int gaveUpAsks = 0;

    std::vector<std::string> messages;
    std::string browseResult;
    int browses = 0;
};

}  // namespace pel::testing
