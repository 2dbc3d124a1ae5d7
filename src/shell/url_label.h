// A hyperlink label: a static text of a dialog template drawn in link colours with a hand pointer and a
// tooltip, which opens its address when clicked.
//
// The parent takes part in two messages: from WM_CTLCOLORSTATIC for the label it returns OnCtlColor's
// brush, and on WM_COMMAND with STN_CLICKED from the label it calls OnClicked.
#pragma once
#include <windows.h>

#include <string>

#include "framework/handles.h"

class CUrlLabel {
public:
    CUrlLabel();
    ~CUrlLabel();
    CUrlLabel(const CUrlLabel&) = delete;
    CUrlLabel& operator=(const CUrlLabel&) = delete;

    // Subclasses the dialog's static control; an empty address takes the control's text.
    bool Attach(HWND control);
    HWND hwnd() const { return label_; }

    // The fit to the text and the tooltip text follow the new address at once.
    void SetURL(const std::string& address);
    const std::string& GetURL() const { return address_; }
    void SetVisited(bool visited);
    bool GetVisited() const { return visited_; }
    // The label font is rebuilt at once.
    void SetUnderline(bool underline);
    bool GetUnderline() const { return underline_; }
    void SetAutoSize(bool fit);
    bool IsOver() const { return over_; }
    bool HasHandPointer() const { return static_cast<bool>(pointer_); }

    // The colour the text is drawn in now: hover, else visited, else link.
    COLORREF TextColour() const;
    // For the parent's WM_CTLCOLORSTATIC: sets the text colour and a transparent background.
    HBRUSH OnCtlColor(HDC dc) const;
    // For the parent's STN_CLICKED: opens the address; a failure beeps and is reported.
    void OnClicked();

    // Opens `address` with the shell's "open" verb, falling back to the program registered for web
    // pages; the result is the shell's or the started program's code, above 32 on success.
    static int GotoURL(const std::string& address, int showCommand);
    static void ReportError(HWND owner, int code);

    static constexpr COLORREF kLinkColour = RGB(0, 0, 238);
    static constexpr COLORREF kVisitedColour = RGB(85, 26, 139);

private:
    void BuildFont();
    void FitToText();
    void LoadHandPointer();
    void CreateTooltip();
    void RedrawNow();
    void OnMouseMove(LPARAM lp);
    void Detach();
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wp, LPARAM lp);

    COLORREF linkColour_ = kLinkColour;
    COLORREF visitedColour_ = kVisitedColour;
    COLORREF hoverColour_;
    bool over_ = false;
    bool visited_ = false;
    bool underline_ = true;
    bool fitToText_ = true;
    std::string address_;
    fw::UniqueFont font_;
    fw::UniqueIcon pointer_;
    HWND tooltip_ = nullptr;

    HWND label_ = nullptr;
    WNDPROC previous_ = nullptr;
    HFONT templateFont_ = nullptr;  // given back to the control when the label lets go of it
};

// The control's new rectangle (in its parent's coordinates) once it takes the size of its text: the
// static's centre-image, centred and right-aligned styles decide which edges or centre lines stay.
RECT FitLabelRect(const RECT& current, SIZE text, DWORD style);
// The web-page program's command line with `address` in place of its "%1".
std::string BrowserCommandLine(std::string openCommand, const std::string& address);
// "Unable to open hyperlink:" and the reason for a shell result code.
std::string HyperlinkErrorText(int code);
