// Hosts a plug-in's editor the way a VST 2.4 host does: a top-level window whose client area has the editor's size
// is the parent handed to effEditOpen; while the editor is open, audio keeps flowing and effEditIdle keeps coming.
#pragma once

#include <string>
#include <vector>

class CTestHost;
struct HWND__;

class CEditorHost
{
public:
    // How often the editor gets effEditIdle while it runs.
    static constexpr double kIdleIntervalSeconds = 0.025;

    // The host keeps the effect; it must outlive this object.
    explicit CEditorHost(CTestHost& host);
    // Closes the editor if it is open, then destroys the window.
    ~CEditorHost();

    CEditorHost(const CEditorHost&) = delete;
    CEditorHost& operator=(const CEditorHost&) = delete;

    // Asks the editor's size (effEditGetRect) and makes a shown top-level window with a client area of that size.
    // False with a message when the effect has no editor, no usable size, or the window cannot be made.
    bool create(const std::string& title, std::string& error);
    // effEditOpen with the window as parent, then paints the window and its children at once. The editor counts
    // as open when it made a child window, whatever effEditOpen answered; false with a message otherwise.
    bool openEditor(std::string& error);
    // Runs the window's messages for the given time; meanwhile the signal, looped, goes through processReplacing
    // in blocks of the host's block size at the host's sample rate in real time, and effEditIdle comes every
    // kIdleIntervalSeconds. Ends early when the window is asked to close; answers how long it ran.
    double run(double seconds, const std::vector<std::vector<float>>& signal);
    // Invalidates the whole editor window and has it paint at once.
    void repaintEditor();
    // effEditClose, then handles what that left in the message queue.
    void closeEditor();
    bool saveScreenshot(const std::string& path, std::string& error);

    // The editor's size as effEditGetRect gave it.
    int width() const { return m_width; }
    int height() const { return m_height; }
    HWND__* window() const { return m_window; }
    // The editor's own window, while it is open.
    HWND__* editorWindow() const;
    bool isEditorOpen() const { return m_editorOpen; }

    // Totals over every run.
    long blocksProcessed() const { return m_blocksProcessed; }
    long idleCalls() const { return m_idleCalls; }

private:
    void pumpMessages();
    void processBlock(const std::vector<std::vector<float>>& signal, size_t& position);

    CTestHost& m_host;
    HWND__* m_window = nullptr;
    int m_width = 0;
    int m_height = 0;
    bool m_editorOpen = false;
    // Set by the window procedure when the window is asked to close.
    bool m_closeRequested = false;
    bool m_canProcess = true;
    long m_blocksProcessed = 0;
    long m_idleCalls = 0;
    std::vector<std::vector<float>> m_blockInputs;
    std::vector<std::vector<float>> m_blockOutputs;
};
