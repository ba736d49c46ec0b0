// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Errors raised by the program's commands. The message is UTF-8; the window shows it in the error
// box (with a full stop appended), the command-line companion on standard error.

#include <stdexcept>
#include <string>

class Exception : public std::runtime_error
{
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
};

// A document could not be written.
class EFile : public Exception
{
public:
    using Exception::Exception;
};

// A file changed size while it was read: what was read is of no one version of it.
class EFileChanged : public Exception
{
public:
    static constexpr const char* Reason = "読み込み中にファイルが変更されました";
    explicit EFileChanged(const std::string& path) : Exception(path + ": " + Reason) {}
};
