// The stand-in's script language: statements, `last`, operators, imports and the error messages.
#include <string>

#include "avs_library.h"

using namespace avs_test;

namespace {

const Library& lib() { return library(); }

int frames(AVS_Clip* clip) { return clip ? lib().avs_get_video_info(clip)->num_frames : -1; }

// The error text of a script, with its file's path replaced by PATH.
std::string error_of(const std::string& script) {
    Environment env;
    ScriptFile file(script);
    const AVS_Value value = env.import(file.path());
    if (value.type != AVS_VALUE_ERROR) return "(no error)";
    std::string text = value.d.string;
    for (std::size_t at; (at = text.find(file.path())) != std::string::npos;) text.replace(at, file.path().size(), "PATH");
    return text;
}

TEST(AvsScript, ErrorsNameTheLineAndColumn) {
    EXPECT_EQ(error_of("# comment\nc = BlankClip()\nc = c.Trim(0, 10))\n"),
              "Script error: syntax error\n(PATH, line 3, column 18)");
    EXPECT_EQ(error_of("BlankClip()\n  Foo(1)\n"), "Script error: there is no function named 'Foo'\n(PATH, line 2, column 3)");
    EXPECT_EQ(error_of("x = y + 1"), "Script error: I don't know what 'y' means\n(PATH, line 1, column 5)");
    EXPECT_EQ(error_of("BlankClip(width=720) + BlankClip(width=640)"),
              "Splice: Frame sizes don't match\n(PATH, line 1, column 22)");
    EXPECT_EQ(error_of("BlankClip(pixel_type=\"YV12\") ++ BlankClip()"),
              "Splice: Video formats don't match\n(PATH, line 1, column 30)");
    EXPECT_EQ(error_of("BlankClip(fps=25) + BlankClip(fps=30)"),
              "Splice: Video framerate doesn't match\n(PATH, line 1, column 19)");
    EXPECT_EQ(error_of("s = \"open\n"), "Script error: unterminated string\n(PATH, line 1, column 5)");
    EXPECT_EQ(error_of("/* never closed\nBlankClip()"), "Script error: unterminated comment\n(PATH, line 1, column 1)");
    EXPECT_EQ(error_of("BlankClip(width=720"), "Script error: expected ')'\n(PATH, line 1, column 20)");
    EXPECT_EQ(error_of("BlankClip(wdth=720)"),
              "Script error: Invalid arguments to function 'BlankClip': there is no argument named 'wdth'\n"
              "(PATH, line 1, column 1)");
    EXPECT_EQ(error_of("BlankClip(pixel_type=\"YV12\", width=721)"),
              "BlankClip: width must be a multiple of 2 for YV12\n(PATH, line 1, column 1)");
    EXPECT_EQ(error_of("x = 1 / 0"), "Evaluate: division by zero\n(PATH, line 1, column 7)");
    EXPECT_EQ(error_of("x = 99999999999"), "Script error: number out of range\n(PATH, line 1, column 5)");
}

TEST(AvsScript, ErrorsInImportedScriptsNameEveryScriptOnTheWay) {
    ScriptFile inner("a = BlankClip()\nb = a.Trim(0, \"x\")\n", "inner.avs");
    const std::string inner_name = inner.path().substr(inner.path().rfind('/') + 1);
    Environment env;
    ScriptFile outer("\n  Import(\"" + inner_name + "\")\n");  // relative to the importing script
    const AVS_Value value = env.import(outer.path());
    ASSERT_EQ(value.type, AVS_VALUE_ERROR);
    EXPECT_EQ(std::string(value.d.string),
              "Script error: Invalid arguments to function 'Trim': 'last_frame' must be an int, not a string\n(" +
                  inner.path() + ", line 2, column 7)\n(" + outer.path() + ", line 2, column 3)");

    ScriptFile missing("Import(\"no_such_script.avs\")");
    const AVS_Value none = env.import(missing.path());
    ASSERT_EQ(none.type, AVS_VALUE_ERROR);
    EXPECT_EQ(std::string(none.d.string),
              "Import: couldn't open \"no_such_script.avs\"\n(" + missing.path() + ", line 1, column 1)");
}

TEST(AvsScript, ImportingItselfStopsWithAnError) {
    const std::string name = "avs_standin_" + std::to_string(getpid()) + "_self.avs";
    ScriptFile self("Import(\"" + name + "\")", "self.avs");
    Environment env;
    const AVS_Value value = env.import(self.path());
    ASSERT_EQ(value.type, AVS_VALUE_ERROR);
    EXPECT_EQ(std::string(value.d.string).rfind("Import: scripts import each other more than 16 levels deep", 0), 0u);
}

TEST(AvsScript, LastIsTheClipOfTheLineBeforeAndTheScriptValue) {
    Environment env;
    // A clip on its own line becomes `last`; functions that want a clip take it when given none.
    EXPECT_EQ(frames(env.clip("BlankClip(length=100)\nTrim(10, 19)\n")), 10);
    // An assignment at the end leaves `last` as the value.
    EXPECT_EQ(frames(env.clip("BlankClip(length=100)\nx = 5\n")), 100);
    EXPECT_EQ(frames(env.clip("ColorBars\nTrim(0, 4)\nlast\n")), 5);
    EXPECT_EQ(frames(env.clip("a = BlankClip(length=30)\nreturn a.Trim(0, 9)\nBlankClip(length=1)\n")), 10);
    EXPECT_EQ(frames(env.clip("a = BlankClip(length=30)\na.Trim\\\n(0, 9)\n")), 10);
    EXPECT_EQ(frames(env.clip("a = BlankClip(length=30)\nb = a.Trim(0,\n\\ 4)\nb")), 5);
}

TEST(AvsScript, CommentsStringsNumbersAndOperators) {
    Environment env;
    const char* script =
        "# a line comment\n"
        "/* a block\n comment */ [* nested [* block *] comment *]\n"
        "global n = (2 + 3) * 4 - 10 / 4 % 3   # 20 - 2 = 18\n"
        "f = 1.5 * 2 == 3.0 ? n : 0\n"
        "t = \"\"\"YV\"\"\" + \"12\"\n"
        "c = BlankClip(length = f, pixel_type = t, width = 64, height = 64)\n"
        "c = (n > 17 && !(n <> 18) || false) ? c : c.Trim(0, 0)\n"
        "return c\n"
        "__END__\n"
        "this text is never read (\n";
    AVS_Clip* clip = env.clip(script);
    ASSERT_NE(clip, nullptr);
    EXPECT_EQ(frames(clip), 18);
    EXPECT_EQ(lib().avs_get_video_info(clip)->pixel_type, AVS_CS_YV12);
    EXPECT_EQ(frames(env.clip("BlankClip(length = Width(BlankClip(width=96)) + FrameCount(ColorBars) - 107892)")), 96);
}

TEST(AvsScript, DeepNestingIsRefusedNotACrash) {
    EXPECT_EQ(error_of(std::string(300, '(') + "1" + std::string(300, ')')).rfind("Script error: expression nested too deeply\n", 0), 0u);
    EXPECT_EQ(error_of("x = " + std::string(5000, '-') + "1").rfind("Script error: expression nested too deeply\n", 0), 0u);

    std::string chain = "b = BlankClip(length=2, width=8, height=8, pixel_type=\"Y8\")\na = b\n";
    for (int i = 0; i < 999; ++i) chain += "a = Dissolve(a, b, 1)\n";
    Environment env;
    AVS_Clip* clip = env.clip(chain + "a");
    ASSERT_NE(clip, nullptr);
    Frame deepest(clip, 0);  // reached through every filter of the chain
    EXPECT_TRUE(deepest.valid());
    EXPECT_EQ(error_of(chain + "a = Dissolve(a, b, 1)\n"),
              "Dissolve: too many filters chained (at most 1000)\n(PATH, line 1002, column 5)");
}

TEST(AvsScript, WindowsLineEndsAndAUtf8MarkAreAccepted) {
    Environment env;
    EXPECT_EQ(frames(env.clip("\xEF\xBB\xBF" "a = BlankClip(length=7)\r\n\r\na\r\n")), 7);
}

}  // namespace
