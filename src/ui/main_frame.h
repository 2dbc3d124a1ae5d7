// The top-level window: menu, accelerators, tool bar in a rebar, status bar and the
// reading form inside.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>

#include "framework/handles.h"
#include "framework/window.h"
#include "state/placement.h"
#include "state/settings.h"
#include "ui/reading_clock.h"

class CPelinreaderApp;
class CPelinreaderView;

class CMainFrame : public fw::Window {
public:
    explicit CMainFrame(CPelinreaderApp& app);
    ~CMainFrame() override;

    bool LoadFrame();
    void CenterOnScreen();
    CPelinreaderView& View() { return *view_; }

    bool OnCommand(UINT id, UINT notifyCode, HWND control) override;
    bool OnUpdateCommand(fw::CommandUI& ui) override;

    // Offers a command or an update query to the view, the frame and the application.
    bool RouteCommand(UINT id, UINT notifyCode, HWND control);
    bool RouteUpdate(fw::CommandUI& ui);

    // Refreshes tool-bar buttons and status panes from their update handlers.
    void OnIdle();

    int toolflag = 1;
    int statusflag = 1;

    // The frame's part of what the exit handler writes: placement and the two bar flags.
    void FillExitSnapshot(pel::ExitSnapshot& s) const;

    // Full-screen reading: the view's area covers the whole screen.
    void ToggleFullScreen();
    bool IsFullScreen() const { return fullScreen_; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wp, LPARAM lp) override;

private:
    LRESULT OnCreate(WPARAM, LPARAM);
    LRESULT OnSize(WPARAM, LPARAM);
    LRESULT OnTimer(WPARAM, LPARAM);
    LRESULT OnClose(WPARAM, LPARAM);
    LRESULT OnDestroy(WPARAM, LPARAM);
    LRESULT OnInitMenuPopup(WPARAM, LPARAM);
    LRESULT OnMenuSelect(WPARAM, LPARAM);
    LRESULT OnExitMenuLoop(WPARAM, LPARAM);
    LRESULT OnNotify(WPARAM, LPARAM);
    LRESULT OnSetFocus(WPARAM, LPARAM);
    LRESULT OnGetMinMaxInfo(WPARAM, LPARAM);
    void OnFullScreen(UINT);
    bool PreTranslate(MSG& msg);

    void OnAppExit(UINT);
    void OnToggleToolBar(UINT);
    void OnToggleStatusBar(UINT);
    void OnUpdateToolBar(fw::CommandUI& ui);
    void OnUpdateStatusBar(fw::CommandUI& ui);

    bool CreateToolBar();
    bool CreateStatusBar();
    void SetStatusParts();
    void SetPaneText(int pane, const std::string& text);
    void ShowToolBarDropDown(const NMTOOLBARA& nm);
    void ShowFlyByPrompt(const NMTBHOTITEM& hot);
    void RecalcLayout();
    // The area left for the view after the bars (a query: nothing moves).
    RECT ViewRect() const;
    void SaveAndClose();

    static const fw::MessageEntry<CMainFrame> kMessages[];
    static const fw::CommandEntry<CMainFrame> kCommands[];
    static const fw::UpdateEntry<CMainFrame> kUpdates[];

    CPelinreaderApp& app_;
    std::unique_ptr<CPelinreaderView> view_;
    HWND rebar_ = nullptr;
    HWND toolbar_ = nullptr;
    HWND status_ = nullptr;
    fw::UniqueImageList hotImages_;
    fw::UniqueImageList normalImages_;
    fw::UniqueBitmap bandBitmap_;
    fw::UniqueMenu menu_;
    HACCEL accelerators_ = nullptr;
    int clockPaneWidth_ = 0;
    int sizePaneWidth_ = 0;
    int progressPaneWidth_ = 0;
    std::string paneTexts_[4];
    bool inMenu_ = false;
    std::string customTitle_;
    std::string idlePrompt_;
    void FirstShowSetUp();
    // Boss key and tray.
    LRESULT OnHotKey(WPARAM, LPARAM);
    LRESULT OnSysCommand(WPARAM, LPARAM);
    LRESULT OnTrayNotify(WPARAM, LPARAM);
    void OnBossKey(UINT);
    // False (and the window stays shown) when the tray icon could not be added.
    bool HideToTray(bool byBossKey);
    void OnTaskbarCreated();
    void ShowFromTray();
    // With `orUpdate`, an icon the area still holds counts as added once it has taken the new data.
    bool AddTrayIcon(bool orUpdate = false);
    void RemoveTrayIcon();
    void UpdateClock();
    void ShowReminder(const std::string& text);
    void ApplyRememberedPlacement();

    ReadingClockState clock_;
    bool trayIconShown_ = false;
    // Pane 0 shows the prompt of the tool-bar button under the mouse.
    bool flyByShown_ = false;
    pel::WindowPlacement rememberedPlacement_;
    bool placementApplied_ = false;
    bool bossKeyRegistered_ = true;
    static constexpr int kBossHotKeyId = 0;
    bool fullScreen_ = false;
    bool closing_ = false;
    WINDOWPLACEMENT preFullScreenPlacement_{};
    RECT fullScreenRect_{};
};
