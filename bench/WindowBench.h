#pragma once
// What the benchmarks of the real window share: a folder of their own for files and settings, and
// the window as a writer sees it at start.

#include "app/TForm1.h"

#include <QTemporaryDir>

#include <memory>
#include <string>

// The benchmarks' folder, removed when the program ends.
QTemporaryDir& BenchFolder();

// Writes `bytes` to a file of that name in the benchmarks' folder and gives its path.
std::string WriteBenchFile(const char* name, const std::string& bytes);

// The window started and shown at 800 × 600, with a settings file of its own already there: no
// first-start question, nothing left beside the program.
std::unique_ptr<TForm1> MakeBenchWindow();
