// The document of the single-document window. The book belongs to the view, so the
// document holds nothing and stores nothing.
#pragma once

class CPelinreaderDoc {
public:
    bool Store() { return true; }
    bool Load() { return true; }
    bool IsModified() const { return modified_; }
    void SetModified(bool on) { modified_ = on; }

private:
    bool modified_ = false;
};
