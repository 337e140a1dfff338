#pragma once

#include <QString>

// Programming errors (misused containers, broken drag data) are reported as one warning line
// "<source>(<line>): <message>" on Qt's warning channel.
//
// The source path is shortened so that the line reads the same on every machine: a file of
// this source tree is named from the tree's root on ("VxFigureSetup/io/vxtstack.h"), however
// the compiler spelled it (absolute, or relative to the build folder). A file outside the tree
// is named from its last "src" folder on ("\src\..." or "/src/..."), and keeps its whole path
// when it has none.
void vxFSDiagnostic(const char* sourcePath, int line, const QString& message);

// The shortened form of a source path, as the diagnostic line shows it.
QString vxFSDiagnosticSourcePath(const QString& sourcePath);

#define VX_FS_DIAGNOSTIC(message) vxFSDiagnostic(__FILE__, __LINE__, (message))
