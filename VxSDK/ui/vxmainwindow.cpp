#include "vxmainwindow.h"

#include "vxactionregistry.h"
#include "vxfilefilter.h"
#include "vxpanemgr.h"
#include "vxscene.h"

#include <QFileDialog>

namespace {
QStringList& queuedAnswers()
{
    static QStringList answers;
    return answers;
}
} // namespace

VxMainWindow::VxMainWindow(QWidget* parent)
    : QMainWindow(parent), m_paneMgr(new VxPaneMgr(this)), m_actions(std::make_unique<VxActionRegistry>(this))
{
}

VxMainWindow::~VxMainWindow() = default;

bool VxMainWindow::doFileDialog(bool open, const QString& caption, const QString& startDirectory,
                                const VxFileFilter& filter, QString& fileName,
                                QString* selectedFilter, QWidget* parent)
{
    m_lastCaption = caption;
    m_lastDirectory = startDirectory;
    if (!queuedAnswers().isEmpty()) {
        fileName = queuedAnswers().takeFirst();
        if (selectedFilter)
            *selectedFilter = filter.getNumFilters() > 0 ? filter.toQtFilter().section(QStringLiteral(";;"), 0, 0) : QString();
        return !fileName.isEmpty();
    }
    QWidget* owner = parent ? parent : this;
    const QString qtFilter = filter.toQtFilter();
    const QString chosen = open
        ? QFileDialog::getOpenFileName(owner, caption, startDirectory, qtFilter, selectedFilter)
        : QFileDialog::getSaveFileName(owner, caption, startDirectory, qtFilter, selectedFilter);
    if (chosen.isEmpty())
        return false;
    fileName = chosen;
    return true;
}

void VxMainWindow::queueFileDialogAnswer(const QString& fileName)
{
    queuedAnswers().append(fileName);
}

void VxMainWindow::clearFileDialogAnswers()
{
    queuedAnswers().clear();
}

int VxMainWindow::getNumQueuedFileDialogAnswers()
{
    return queuedAnswers().size();
}

VxViewportMgr* VxMainWindow::getViewportMgr() const
{
    return vxScene ? vxScene->getViewportMgr() : nullptr;
}
