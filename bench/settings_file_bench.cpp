// The settings file with a full chapter list (640000 frames): reading, writing and the listing,
// against the floor of reading the same integers with a plain strtol loop.
#include "pages/defaults.h"
#include "settings/settings_file_builder.h"
#include "settings/settings_file_parser.h"
#include "pages/settings_file_reader.h"
#include "pages/settings_file_writer.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

namespace {

using namespace qz;

constexpr int kChapters = settings::kChapterCapacity;

struct NoFiles : settings::ReaderEnvironment {
    bool file_exists(const std::string&) override { return false; }
    settings::InputOutcome check_input(const std::string&) override { return settings::InputOutcome::Accepted; }
};

// A settings file as the writer makes it, with chapters every 25 frames.
const std::string& chapter_file_text() {
    static const std::string text = [] {
        auto record = std::make_unique<settings::Settings>();
        record->chapters.count = kChapters;
        for (int i = 0; i < kChapters; ++i) record->chapters.frames[static_cast<size_t>(i)] = i * 25;
        settings::TextSink sink;
        settings::build_settings_lines(settings::PageValues{}, *record, settings::BuildTarget::File, sink);
        return sink.text;
    }();
    return text;
}

std::string temp_file(const char* name) { return (std::filesystem::temp_directory_path() / name).string(); }

// A program with the default pages and a full chapter list.
std::unique_ptr<App> program_with_chapters() {
    auto app = std::make_unique<App>();
    app->processors = {true, 2};
    settings::reset_to_defaults(*app);
    app->settings.chapters.count = kChapters;
    for (int i = 0; i < kChapters; ++i) app->settings.chapters.frames[static_cast<size_t>(i)] = i * 25;
    return app;
}

void BM_StrtolLoop(benchmark::State& state) {
    const std::string& text = chapter_file_text();
    const char* start = text.c_str() + text.find("*CHAPTER");
    start = std::strchr(start, '\n') + 1;
    for (auto _ : state) {
        long sum = 0;
        const char* p = start;
        char* end = nullptr;
        for (int i = 0; i < kChapters; ++i, p = end) sum += std::strtol(p, &end, 10);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kChapters);
}
BENCHMARK(BM_StrtolLoop)->Unit(benchmark::kMillisecond);

void BM_ParseSettingsText(benchmark::State& state) {
    const std::string& text = chapter_file_text();
    auto record = std::make_unique<settings::Settings>();
    NoFiles files;
    for (auto _ : state) {
        settings::TextLineReader lines(text);
        settings::parse_settings(lines, *record, files);
        benchmark::DoNotOptimize(record->chapters.count);
    }
    state.SetItemsProcessed(state.iterations() * kChapters);
}
BENCHMARK(BM_ParseSettingsText)->Unit(benchmark::kMillisecond);

// The whole load from disk: reset, read, messages.
void BM_ReadSettingsFile(benchmark::State& state) {
    auto app = program_with_chapters();
    app->settings.user_settings_path = temp_file("qz_bench_read.ini");
    {
        std::FILE* f = std::fopen(app->settings.user_settings_path.c_str(), "wb");
        std::fwrite(chapter_file_text().data(), 1, chapter_file_text().size(), f);
        std::fclose(f);
    }
    for (auto _ : state) {
        settings::read_settings_file(*app, settings::kUserSettingsFile);
        app->log.clear();
        benchmark::DoNotOptimize(app->settings.chapters.count);
    }
    std::remove(app->settings.user_settings_path.c_str());
    state.SetItemsProcessed(state.iterations() * kChapters);
}
BENCHMARK(BM_ReadSettingsFile)->Unit(benchmark::kMillisecond);

void BM_BuildSettingsText(benchmark::State& state) {
    auto app = program_with_chapters();
    settings::PageValues page;
    for (auto _ : state) {
        settings::TextSink sink;
        settings::build_settings_lines(page, app->settings, settings::BuildTarget::File, sink);
        benchmark::DoNotOptimize(sink.text.size());
    }
    state.SetItemsProcessed(state.iterations() * kChapters);
}
BENCHMARK(BM_BuildSettingsText)->Unit(benchmark::kMillisecond);

// The whole save to disk: the pages read, the lines built, the file written and closed.
void BM_WriteSettingsFile(benchmark::State& state) {
    auto app = program_with_chapters();
    app->settings.user_settings_path = temp_file("qz_bench_write.ini");
    for (auto _ : state) {
        settings::write_settings_file(*app, settings::kUserSettingsFile);
        app->log.clear();
    }
    std::remove(app->settings.user_settings_path.c_str());
    state.SetItemsProcessed(state.iterations() * kChapters);
}
BENCHMARK(BM_WriteSettingsFile)->Unit(benchmark::kMillisecond);

// The listing into the three list boxes.
void BM_Listing(benchmark::State& state) {
    auto app = program_with_chapters();
    for (auto _ : state) {
        settings::refresh_listing(*app);
        benchmark::DoNotOptimize(app->controls.item_count(104, 1215));
    }
    state.SetItemsProcessed(state.iterations() * kChapters);
}
BENCHMARK(BM_Listing)->Unit(benchmark::kMillisecond);

}  // namespace
