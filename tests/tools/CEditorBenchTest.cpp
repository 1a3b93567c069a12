// The editor bench's report: every step of a construction, and the common-path figures, are printed as medians.
#include "tools/testhost/CEditorBench.hpp"

#include <gtest/gtest.h>
#include <windows.h>

#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace
{
std::string besideTests(const char* fileName)
{
    char program[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    const std::string path(program);
    return path.substr(0, path.rfind('\\') + 1) + fileName;
}

// The lines of the report whose name (after the indent) starts with the given text and that end in a figure.
std::vector<std::string> figureLines(const std::string& report, const std::string& name)
{
    std::vector<std::string> found;
    std::istringstream lines(report);
    const std::regex figure("^ +" + std::regex_replace(name, std::regex(R"([.^$|()\[\]{}*+?\\])"), R"(\$&)") +
                            ".* [0-9]+\\.[0-9]{3} ms( .*)?$");
    for (std::string line; std::getline(lines, line);)
        if (std::regex_match(line, figure))
            found.push_back(line);
    return found;
}

CEditorBench::SSettings settingsFor(const std::string& plugin)
{
    CEditorBench::SSettings settings;
    settings.pluginPath = plugin;
    settings.runs = 3;
    return settings;
}

TEST(CEditorBenchTest, PrintsEveryStepOfTheProConstructionAndTheCommonPath)
{
    CEditorBench bench;
    std::string error;
    ASSERT_TRUE(bench.run(settingsFor(VOLTURA_PRO), error)) << error;
    const std::string report = bench.report();
    EXPECT_NE(report.find("median of 3 runs"), std::string::npos) << report;

    // Each image the panel loads once, in its loading order, with the pixels of the committed picture.
    const std::vector<std::string> images = figureLines(report, "image ");
    const char* const expected[] = {"Background.png (200000 px)", "infopro.png (680 px)", "knob.png (222912 px)",
                                    "knob1.png (222912 px)",     "knob2.png (222912 px)", "knob3.png (222912 px)",
                                    "buttonUp.png (912 px)",     "buttonDown.png (912 px)", "splash.png (79200 px)"};
    ASSERT_EQ(images.size(), sizeof(expected) / sizeof(expected[0])) << report;
    for (size_t index = 0; index < images.size(); ++index)
        EXPECT_NE(images[index].find(expected[index]), std::string::npos) << images[index];

    for (const char* name : {"construction (main)", "library load and start-up", "GDI+ start and shut-down (",
                             "about window", "menu window 1", "menu window 2", "building the controls",
                             "after the last step above", "applying program 0", "open to first paint",
                             "full repaint", "idle with a new meter value", "knob step by a mouse move"})
        EXPECT_EQ(figureLines(report, name).size(), 1u) << name << "\n" << report;
    // The drag really moved the knob: every step reached the host as an automation call.
    EXPECT_NE(report.find("(3 of 3 steps reached the host)"), std::string::npos) << report;
}

TEST(CEditorBenchTest, AnEditorWithoutImagesOrKnownKnobStillGetsItsFiguresAndARerunStartsAfresh)
{
    CEditorBench bench;
    std::string error;
    ASSERT_TRUE(bench.run(settingsFor(VOLTURA_PRO), error)) << error;
    ASSERT_TRUE(bench.run(settingsFor(besideTests("editor_probe.dll")), error)) << error;
    const std::string report = bench.report();
    EXPECT_TRUE(figureLines(report, "image ").empty()) << report;
    EXPECT_TRUE(figureLines(report, "menu window").empty()) << report;
    EXPECT_EQ(figureLines(report, "GDI+ start and shut-down (0 times)").size(), 1u) << report;
    EXPECT_EQ(figureLines(report, "building the controls").size(), 1u) << report;
    EXPECT_EQ(figureLines(report, "knob step by a mouse move").size(), 1u) << report;
    EXPECT_NE(report.find("(no knob known on this panel)"), std::string::npos) << report;
}

TEST(CEditorBenchTest, AMissingPluginGivesAReasonAndNoFigures)
{
    CEditorBench bench;
    std::string error;
    EXPECT_FALSE(bench.run(settingsFor(besideTests("no_such_plugin.dll")), error));
    EXPECT_NE(error.find("no_such_plugin.dll"), std::string::npos) << error;
}
} // namespace
