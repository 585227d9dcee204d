// CConversionTaskPage: a tool page that is itself a conversion task. Start (1039) collects and
// checks the page's data and runs the task on its worker thread; Stop (1040) ends the run and
// waits for it. The destination row (combo 1021 of recent output folders, "..." 1148, "Open"
// 1149, "same as input" 1242) is common to every page.
//
// Threads: the task's hooks and Prepare, FillTask and Finish run on the worker thread (the
// hooks also on the window thread for the encoder's progress). They never touch a window:
// each hook posts an event to the page, and the window thread changes the texts, icon,
// layout, focus and timers when it handles the event.
#pragma once
#include "conversion/app/CConversionPage.h"
#include "conversion/app/CSourceProbe.h"
#include "conversion/app/controls/CRecentComboBoxes.h"
#include "conversion/engine/CConvertTask.h"

struct CPageSettings;

// Posted by the hooks to the page window; lParam a CPageTaskEvent the handler deletes.
const UINT WM_PAGE_TASK_EVENT = WM_APP + 0x120;
// Posted by a source probe's thread; wParam the probe's tag, lParam its result.
const UINT WM_PAGE_SOURCE_PROBED = WM_APP + 0x121;

struct CPageTaskEvent {
    enum Kind { Started, Stopped, StateIcon, StateColour, Progress, StatusText, Running, Finished };
    Kind kind;
    LONGLONG first = 0;
    LONGLONG second = 0;
    CString text;
    CString detail;
};

class CConversionTaskPage : public CConversionPage, public CConvertTask {
    DECLARE_DYNAMIC(CConversionTaskPage)
public:
    CConversionTaskPage(UINT nIDTemplate, CPageSettings& settings);

    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The page's message boxes; a test page answers them itself.
    virtual int ShowMessage(LPCWSTR lpszText, UINT nType = MB_OK | MB_ICONWARNING);
    virtual void SetOutputName(LPCWSTR lpszName);
    // What the page writes into the record before a run (worker thread): 0, or -1 to refuse.
    virtual int FillTask(CConvertTaskRecord& record) = 0;
    // The controls of a run (inputs disabled, Stop shown) or of the idle page.
    virtual void SetRunningLayout(BOOL bRunning) = 0;
    // After a completed run, on the window thread: the inputs go to the recent lists.
    virtual void AddToRecentLists() {}
    // After a completed run with "delete source" checked, on the worker thread.
    virtual void DeleteSources() {}
    // The folder "same as input" puts the output in; empty without a source.
    virtual CString GetInputFolder() const { return CString(); }
    // Where the page keeps its choices between runs; written back when the page is destroyed.
    virtual void SaveSettings();

    int Prepare() override;
    void Finish() override;

    void OnTaskStarted() override;
    void OnTaskStopped() override;
    void OnTaskStateIcon(int statusCode) override;
    void OnTaskStateColour(int colourCode) override;
    void OnTaskProgress(LONGLONG position, LONGLONG total, int mode) override;
    void OnTaskStatusText(LPCWSTR text, LPCWSTR detail) override;

    // Whether a run, a deletion of sources or a probe is under way.
    BOOL IsBusy() const { return m_bBusy != 0 || m_probe.IsRunning(); }
    static CString FormatStatusText(LPCWSTR text, LPCWSTR detail);

    std::atomic<int> m_bBusy{0};
    CString m_destination;
    int m_bSameAsInput = 0;
    CRecentDropComboBoxEx m_destinationCombo{DROP_FOLDERS};
    CSourceProbe m_probe;

    static const UINT_PTR kProbeTimer = 101;
    static const UINT kProbeTimeLimitMs = 60000;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnDestroy();
    void OnTimer(UINT_PTR nIDEvent);
    void OnDropFiles(HDROP hDropInfo);
    void OnStart();
    void OnStop();
    LRESULT OnTaskFinished(WPARAM wParam, LPARAM lParam);
    LRESULT OnTaskEvent(WPARAM wParam, LPARAM lParam);
    LRESULT OnSourceProbed(WPARAM wParam, LPARAM lParam);
    void OnChooseDestination();
    void OnOpenDestination();
    void OnUpdateOpenDestination(CCmdUI* pCmdUI);
    void OnSameAsInput();
    void OnPlay();
    DECLARE_MESSAGE_MAP()

    // A probe of a source on its own thread, stopped by Stop or after the time limit; its end
    // reaches SourceProbed on the window thread.
    int StartProbe(WPARAM tag, CSourceProbe::ProbeFunction probe);
    virtual void SourceProbed(WPARAM tag, int result) {}
    // A dropped path: a folder becomes the destination, a file goes to DropFile.
    virtual void DropFile(LPCWSTR path) {}
    virtual void DropFiles(const CStringArray& paths);
    // A path combo shows the recent list, ended by "Clear Recent List", and the path on top.
    static void AttachRecentList(CRecentDropComboBoxEx& combo, CMRUList& list, LPCWSTR path);
    // The combo's list again after the recent list changed; its text stays.
    static void RefillRecentCombo(CRecentDropComboBoxEx& combo);
    void InitDestination();
    void SetDestination(LPCWSTR folder);
    void ApplySameAsInput();
    // The destination controls: off while running, otherwise as "same as input" allows.
    void EnableDestination(BOOL bRunning);
    // The task's output folder: the destination, or the input's own folder when asked for.
    void FillDestination(CConvertTaskRecord& record) const;
    void SetIdleFocus(BOOL bRunning);
    void PostEvent(CPageTaskEvent* pEvent);
    void HandleEvent(const CPageTaskEvent& event);
    void DiscardPendingEvents();

    CPageSettings& m_settings;
};
