#include "vxmainwindow.h"

#include "vxactionregistry.h"
#include "vxfilefilter.h"
#include "vxpanemgr.h"
#include "vxscene.h"

#include <QFileDialog>

namespace {
// One entry per dialog to answer: the chosen files, none for a cancelled dialog.
QList<QStringList>& queuedAnswers()
{
    static QList<QStringList> answers;
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
    QStringList answer;
    if (takeQueuedAnswer(caption, startDirectory, filter, answer, selectedFilter)) {
        fileName = answer.value(0);
        return !fileName.isEmpty();
    }
    QWidget* owner = parent ? parent : this;
    const QString qtFilter = filter.toQtFilter();
    QString chosenFilter = filter.toQtFilter(filter.getDefaultFilter());
    const QString chosen = open
        ? QFileDialog::getOpenFileName(owner, caption, startDirectory, qtFilter, &chosenFilter)
        : QFileDialog::getSaveFileName(owner, caption, startDirectory, qtFilter, &chosenFilter);
    if (chosen.isEmpty())
        return false;
    fileName = chosen;
    if (selectedFilter)
        *selectedFilter = chosenFilter;
    return true;
}

bool VxMainWindow::doFileDialog(const QString& caption, const QString& startDirectory,
                                const VxFileFilter& filter, QStringList& fileNames,
                                QString* selectedFilter, QWidget* parent)
{
    QStringList answer;
    if (takeQueuedAnswer(caption, startDirectory, filter, answer, selectedFilter)) {
        answer.removeAll(QString());
        fileNames = answer;
        return !fileNames.isEmpty();
    }
    QString chosenFilter = filter.toQtFilter(filter.getDefaultFilter());
    const QStringList chosen = QFileDialog::getOpenFileNames(
        parent ? parent : this, caption, startDirectory, filter.toQtFilter(), &chosenFilter);
    if (chosen.isEmpty())
        return false;
    fileNames = chosen;
    if (selectedFilter)
        *selectedFilter = chosenFilter;
    return true;
}

bool VxMainWindow::takeQueuedAnswer(const QString& caption, const QString& startDirectory,
                                    const VxFileFilter& filter, QStringList& answer,
                                    QString* selectedFilter)
{
    m_lastCaption = caption;
    m_lastDirectory = startDirectory;
    if (queuedAnswers().isEmpty())
        return false;
    answer = queuedAnswers().takeFirst();
    if (selectedFilter)
        *selectedFilter = filter.toQtFilter(filter.getDefaultFilter());
    return true;
}

void VxMainWindow::queueFileDialogAnswer(const QString& fileName)
{
    queuedAnswers().append(fileName.isEmpty() ? QStringList() : QStringList{fileName});
}

void VxMainWindow::queueFileDialogAnswer(const QStringList& fileNames)
{
    queuedAnswers().append(fileNames);
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
