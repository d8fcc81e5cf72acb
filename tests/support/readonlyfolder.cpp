#include "support/readonlyfolder.h"

#include <QFile>

namespace {
constexpr QFileDevice::Permissions ReadAndEnter = QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                                  QFileDevice::ReadUser | QFileDevice::ExeUser |
                                                  QFileDevice::ReadOther | QFileDevice::ExeOther;
} // namespace

ReadOnlyFolder::ReadOnlyFolder(QString path) : m_path(std::move(path))
{
    m_set = QFile::setPermissions(m_path, ReadAndEnter);
}

ReadOnlyFolder::~ReadOnlyFolder()
{
    QFile::setPermissions(m_path, ReadAndEnter | QFileDevice::WriteOwner);
}
