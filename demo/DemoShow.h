#pragma once
// The demo show a newcomer meets first: about twenty lines that show what a show can
// do — a title, dissolves of different lengths, each light function once, a pause line,
// slave triggers and autoreverse at the end — with a picture for every slide.
#include <string>
#include <vector>

namespace vistrel::demo {

struct DemoLine {
    int slide;
    int dissolveTenths;
    int timerTenths;
    int specialFunction;
    const char* description;  // UTF-8
};

const std::vector<DemoLine>& demoLines();

// The show's title (UTF-8).
const char* demoTitle();

// Writes the show to `showFile` in the program's file format; false with a reason in
// `error` when that fails.
bool writeDemoShow(const std::string& showFile, std::string& error);

}  // namespace vistrel::demo
