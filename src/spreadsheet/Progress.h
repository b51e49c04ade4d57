#pragma once
#include <functional>

// Told how far a long export or import has come; returning false cancels it.
using Progress = std::function<bool(long long done, long long total)>;

// How writing a file ended.
enum class WriteResult { Written, Cancelled, Failed };
