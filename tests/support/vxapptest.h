#pragma once

#include "vxapp.h"

#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

// Fixture that gives every test its own application object whose data, documents and
// documentation folders live in a fresh temporary folder.
class VxAppTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Lines written to the host log since the test began.
    const QStringList& loggedLines() const { return m_logged; }
    QString tempPath(const QString& relative = QString()) const;
    // Writes `content` to tempPath(relative), creating folders; returns the full path.
    QString writeFile(const QString& relative, const QByteArray& content) const;

    std::unique_ptr<QTemporaryDir> m_tempDir;
    std::unique_ptr<VxApp> m_app;

private:
    QStringList m_logged;
};

// Path of a file below the repository's source folder or the shared test data.
QString vxSourcePath(const QString& relative);
QString vxTestDataPath(const QString& relative);
