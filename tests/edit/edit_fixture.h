// An EditSession over a Reader, both wired to the test doubles; the reader's "end edit mode" hook reaches
// the session as it does in the view.
#pragma once
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "book/reader.h"
#include "edit/edit_session.h"
#include "support/fake_edit_control.h"
#include "support/fake_file_system.h"
#include "support/fake_host.h"
#include "support/system_code_page.h"

namespace pel::testing {

class FakeEditHost : public IEditHost {
public:
    struct Dialog {
        std::string findWhat;
        bool replace = false;
    };

    int MessageBox(const std::string& text, const std::string& caption, unsigned flags) override {
        messages.push_back({text, caption, flags});
        if (answers.empty()) return kIdYes;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void CreateFindDialog(const std::string& findWhat, bool replace) override {
        dialogs.push_back({findWhat, replace});
    }
    bool AskSaveAsPath(std::string& path) override {
        ++saveAsDialogs;
        if (saveAsPath.empty()) return false;
        path = saveAsPath;
        return true;
    }
    void ListOnlySavedBook(const std::string& fileName) override { libraryLines = {fileName}; }

    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const ShownMessage& m : messages) texts.push_back(m.text);
        return texts;
    }

    std::vector<ShownMessage> messages;
    std::deque<int> answers;  // answers in turn; Yes when none is left
    std::vector<Dialog> dialogs;
    std::string saveAsPath;  // empty: the dialog is cancelled
    int saveAsDialogs = 0;
    std::vector<std::string> libraryLines;
};

class EditReaderHost : public FakeHost {
public:
    void EndEditMode() override {
        FakeHost::EndEditMode();
        if (session != nullptr) session->EndForLoad();
    }
    EditSession* session = nullptr;
};

class EditTest : public ::testing::Test {
protected:
    EditTest() {
        host.session = &session;
        reader.programDir = "C:\\pel\\";
    }

    void Open(const std::string& path, const std::string& bytes) {
        files.Add(path, bytes);
        reader.SetBookPath(path);
        reader.OpenBook(path);
    }
    const std::string& File(const std::string& path) { return files.files[path].bytes; }
    // Edit mode on, the notice (if any) answered.
    void StartEditing() {
        session.ToggleEditMode();
        ASSERT_TRUE(session.Editing());
    }
    // The reader types `text` at byte `at` of the page.
    void TypeAt(std::size_t at, const std::string& text) {
        control.SelectBytes(at, at);
        control.Type(text);
    }
    FindRequest Request(FindAction action, const std::string& what, const std::string& with = "") {
        FindRequest r;
        r.action = action;
        r.findWhat = what;
        r.replaceWith = with;
        return r;
    }

    FakeEditControl control{20};
    EditReaderHost host;
    FakeFileSystem files;
    SystemCodePage codePage;
    Reader reader{control, host, files, codePage};
    FakeEditHost editHost;
    EditSession session{reader, control, control, editHost, files, codePage};
};

}  // namespace pel::testing
