// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SaveFailure.h"

#include <cerrno>
#include <cstring>

namespace {

std::string SystemText(int error)
{
    char buffer[256] = {};
    // The GNU form: the text may be a constant rather than the buffer.
    return ::strerror_r(error, buffer, sizeof buffer);
}

} // namespace

ESaveFailed::ESaveFailed(const std::string& path, int error, Step step)
    : EFile("ﾌｧｲﾙ " + path + " を作成できません（" + SaveFailureReason(error, step) + "）"),
      FError(error), FStep(step)
{
}

bool ESaveFailed::FolderRefused() const noexcept
{
    return FStep == Step::Folder && (FError == EACCES || FError == EPERM);
}

std::string SaveFailureReason(int error, ESaveFailed::Step step)
{
    switch (error) {
    case EACCES:
    case EPERM:
        return step == ESaveFailed::Step::Folder ? "フォルダに書き込む権限がありません"
                                                 : "ファイルが読み取り専用です";
    case ENOENT:
    case ENOTDIR:
        return "フォルダがありません";
    case EISDIR:
        return "同じ名前のフォルダがあります";
    case ENOSPC:
        return "ディスクに空きがありません";
    case EDQUOT:
        return "ディスクの使用量の上限を超えました";
    case EROFS:
        return "読み取り専用のファイルシステムです";
    case ENXIO:
        return "読み込むプログラムのないパイプです";
    default:
        return SystemText(error);
    }
}
