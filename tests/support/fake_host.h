// Records what the reading logic asks of the view and answers its questions.
#pragma once
#include <set>
#include <string>
#include <vector>

#include "book/reader.h"

namespace pel::testing {

struct ShownMessage {
    std::string text;
    std::string caption;
    unsigned flags = 0;
};

class FakeHost : public IReaderHost {
public:
    void SetCounterLabels(const std::string& total, const std::string& current) override {
        totalLabel = total;
        currentLabel = current;
    }
    void SetTotalBox(int value) override { totalBox = value; }
    void SetCurrentBox(int value) override { currentBox = value; }
    int CurrentBoxValue(bool& ok) override {
        ok = typedBoxValid;
        return typedBox;
    }
    void SetWindowTitle(const std::string& title) override { windowTitle = title; }
    int MessageBox(const std::string& text, const std::string& caption, unsigned flags) override {
        messages.push_back({text, caption, flags});
        return answer;
    }
    void StartTimer(int id, int /*periodMs*/) override { timers.insert(id); }
    void StopTimer(int id) override { timers.erase(id); }
    void PublishReadingState(const ReadingState& state) override {
        published = state;
        ++publishCount;
    }
    void UpdateReadingRecords() override { ++recordUpdates; }
    void EnsureReadingRecord() override { ++recordEnsured; }
    bool HasReadingRecord(long long& position) override {
        position = recordPosition;
        return hasRecord;
    }
    void EndEditMode() override { ++editModeEnded; }
    bool ExtractArchiveMember(const std::string& memberPath) override {
        extracted.push_back(memberPath);
        return extractionSucceeds;
    }
    void ResetArchiveListing() override { ++archiveListingResets; }

    std::string LastMessage() const { return messages.empty() ? std::string() : messages.back().text; }

    std::string totalLabel, currentLabel, windowTitle;
    int totalBox = -1, currentBox = -1;
    int typedBox = 0;
    bool typedBoxValid = true;
    std::vector<ShownMessage> messages;
    int answer = 1;
    std::set<int> timers;
    ReadingState published;
    int publishCount = 0;
    int recordUpdates = 0, recordEnsured = 0, editModeEnded = 0, archiveListingResets = 0;
    bool hasRecord = false;
    long long recordPosition = 0;
    std::vector<std::string> extracted;
    bool extractionSucceeds = true;
};

}  // namespace pel::testing
