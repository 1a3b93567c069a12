#include "CEditorBench.hpp"

#include "CConstructionProfile.hpp"
#include "CEditorHost.hpp"
#include "CTestHost.hpp"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>

namespace
{
double secondsNow()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double medianMilliseconds(std::vector<double> seconds)
{
    if (seconds.empty())
        return 0.0;
    std::sort(seconds.begin(), seconds.end());
    const size_t middle = seconds.size() / 2;
    const double median = seconds.size() % 2 != 0 ? seconds[middle] : (seconds[middle - 1] + seconds[middle]) / 2.0;
    return median * 1000.0;
}

// The knob the bench drags on each panel it knows: the Threshold knob's centre (its strip frames are 36 by 48).
struct SKnob
{
    const char* effectName;
    VstInt32 parameter;
    int x;
    int y;
};
const SKnob kKnobs[] = {{"VolturaPro", 1, 118, 89}, {"VolturaLite", 1, 48, 89}};

// Paints what is invalid in the editor now, so a timing covers the paint its own action asked for.
void paintPending(HWND editor)
{
    RedrawWindow(editor, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

LPARAM point(int x, int y)
{
    return static_cast<LPARAM>(MAKELONG(static_cast<WORD>(x), static_cast<WORD>(y)));
}

size_t automationCalls(const CTestHost& host)
{
    const std::vector<CTestHost::SHostCall> calls = host.calls();
    return static_cast<size_t>(std::count_if(calls.begin(), calls.end(), [](const CTestHost::SHostCall& call) {
        return call.opcode == audioMasterAutomate;
    }));
}
} // namespace

CEditorBench::SFigure& CEditorBench::figure(const std::string& name, int depth)
{
    for (SFigure& existing : m_figures)
        if (existing.name == name)
            return existing;
    m_figures.push_back({name, {}, "", depth});
    return m_figures.back();
}

bool CEditorBench::run(const SSettings& settings, std::string& error)
{
    m_pluginPath = settings.pluginPath;
    m_runs = settings.runs;
    m_figures.clear();
    figure("construction (main)");
    figure("library load and start-up (before main)");

    // Each load unloads the library first, so every construction starts from a freshly loaded library.
    CTestHost host;
    CConstructionProfile profile;
    host.setBeforeEntry([&profile](void* module) { profile.watch(module); });
    for (int run = 0; run < settings.runs; ++run)
    {
        const bool loaded = host.load(settings.pluginPath, error);
        profile.stopWatching();
        if (!loaded)
            return false;
        figure("construction (main)").seconds.push_back(host.entrySeconds());
        figure("library load and start-up (before main)").seconds.push_back(host.librarySeconds());
        for (const CConstructionProfile::SStep& step : profile.steps(host.entryBegan(), host.entryEnded()))
            figure(step.name, 1).seconds.push_back(step.seconds);
    }
    host.setBeforeEntry(nullptr);

    host.start(static_cast<float>(settings.rate), static_cast<VstInt32>(settings.block));
    SFigure& program = figure("applying program 0 alone (effSetProgram 0, editor closed)");
    for (int run = 0; run < settings.runs; ++run)
    {
        const double start = secondsNow();
        host.dispatch(effSetProgram, 0, 0);
        program.seconds.push_back(secondsNow() - start);
    }
    if (settings.program >= 0)
    {
        if (settings.program >= host.effect()->numPrograms)
        {
            error = "the plug-in has no program " + std::to_string(settings.program);
            return false;
        }
        host.dispatch(effSetProgram, 0, settings.program);
    }
    const bool timed = timeEditor(host, settings, error);
    host.stop();
    host.unload();
    return timed;
}

bool CEditorBench::timeEditor(CTestHost& host, const SSettings& settings, std::string& error)
{
    CEditorHost editor(host);
    if (!editor.create("vsthost", error))
        return false;
    SFigure& opening = figure("open to first paint");
    for (int run = 0; run < settings.runs; ++run)
    {
        const double start = secondsNow();
        if (!editor.openEditor(error))
            return false;
        opening.seconds.push_back(secondsNow() - start);
        editor.closeEditor();
    }
    if (!editor.openEditor(error))
        return false;
    HWND window = editor.editorWindow();
    SFigure& repaint = figure("full repaint");
    for (int run = 0; run < settings.runs; ++run)
    {
        const double start = secondsNow();
        editor.repaintEditor();
        repaint.seconds.push_back(secondsNow() - start);
    }

    // A loud block and a quiet one in turn, so the meter has a new value at every idle.
    AEffect* effect = host.effect();
    const size_t frames = static_cast<size_t>(std::max<long>(1, settings.block));
    std::vector<std::vector<float>> loud(static_cast<size_t>(std::max(effect->numInputs, 0)));
    std::vector<std::vector<float>> quiet = loud;
    for (size_t channel = 0; channel < loud.size(); ++channel)
    {
        for (size_t frame = 0; frame < frames; ++frame)
        {
            const float wave = static_cast<float>(std::sin(0.05 * static_cast<double>(frame)));
            loud[channel].push_back(0.9f * wave);
            quiet[channel].push_back(0.1f * wave);
        }
    }
    std::vector<std::vector<float>> outputs;
    SFigure& idle = figure("idle with a new meter value, until painted");
    for (int run = 0; run < settings.runs; ++run)
    {
        if (!host.process(run % 2 == 0 ? loud : quiet, outputs, static_cast<VstInt32>(frames)))
        {
            idle.note = "(the plug-in does not process, so the meter stays)";
        }
        paintPending(window);
        const double start = secondsNow();
        host.dispatch(effEditIdle);
        paintPending(window);
        idle.seconds.push_back(secondsNow() - start);
    }

    const std::string name = host.queryString(effGetEffectName).text;
    const auto knob = std::find_if(std::begin(kKnobs), std::end(kKnobs),
                                   [&name](const SKnob& candidate) { return name == candidate.effectName; });
    SFigure& step = figure("knob step by a mouse move, until painted");
    if (knob == std::end(kKnobs))
    {
        step.note = "(no knob known on this panel)";
        return true;
    }
    // Towards the far end of the knob's range, so no step is lost at a limit: up raises the value.
    const int direction = effect->getParameter(effect, knob->parameter) > 0.5f ? 1 : -1;
    paintPending(window);
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, point(knob->x, knob->y));
    paintPending(window);
    host.clearCalls();
    for (int run = 1; run <= settings.runs; ++run)
    {
        const double start = secondsNow();
        SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, point(knob->x, knob->y + direction * run));
        paintPending(window);
        step.seconds.push_back(secondsNow() - start);
    }
    step.note = "(" + std::to_string(automationCalls(host)) + " of " + std::to_string(settings.runs) +
                " steps reached the host)";
    SendMessageA(window, WM_LBUTTONUP, 0, point(knob->x, knob->y + direction * settings.runs));
    paintPending(window);
    return true;
}

std::string CEditorBench::report() const
{
    std::string text = "Editor timings of " + m_pluginPath + ", median of " + std::to_string(m_runs) + " runs\n";
    for (const SFigure& figure : m_figures)
    {
        char line[256];
        const std::string name = std::string(static_cast<size_t>(figure.depth) * 2, ' ') + figure.name;
        std::snprintf(line, sizeof(line), "  %-64s %9.3f ms%s%s\n", name.c_str(), medianMilliseconds(figure.seconds),
                      figure.note.empty() ? "" : "  ", figure.note.c_str());
        text += line;
    }
    return text;
}
