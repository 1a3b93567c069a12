// vsthost's --editor-bench: times a plug-in's construction step by step, the opening and repainting of its
// editor, and the two things a host does all the time: an idle with a new meter value and a knob step. Every
// figure is a median; nothing is asserted.
#pragma once

#include <deque>
#include <string>
#include <vector>

class CEditorBench
{
public:
    struct SSettings
    {
        std::string pluginPath;
        // -1: the plug-in's own choice.
        long program = -1;
        long rate = 44100;
        long block = 512;
        int runs = 20;
    };

    // False with a message when the plug-in cannot be loaded or its editor cannot be opened.
    bool run(const SSettings& settings, std::string& error);
    // The figures of the last run, one line each, as vsthost prints them.
    std::string report() const;

private:
    struct SFigure
    {
        std::string name;
        std::vector<double> seconds;
        // Printed after the figure.
        std::string note;
        int depth = 0;
    };
    SFigure& figure(const std::string& name, int depth = 0);
    bool timeEditor(class CTestHost& host, const SSettings& settings, std::string& error);

    std::string m_pluginPath;
    int m_runs = 0;
    // A deque, so a figure stays where it is while others are added.
    std::deque<SFigure> m_figures;
};
