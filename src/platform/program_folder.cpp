#include "platform/program_folder.h"

#include <QCoreApplication>
#include <QFile>

#include <filesystem>
#include <system_error>

namespace platform {

std::string programFolder()
{
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error && program.has_parent_path())
        return program.parent_path().string();
    // Qt's answer passes through text and so loses bytes that are not UTF-8.
    return QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
}

} // namespace platform
