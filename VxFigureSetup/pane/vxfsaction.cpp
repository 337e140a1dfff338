#include "vxfsaction.h"

#include "vxfiguresetuppane.h"

#include "vxapp.h"
#include "vxappsettings.h"
#include "vxfileio.h"
#include "vxfilefilter.h"
#include "vxmainwindow.h"
#include "vxpanemgr.h"

QPointer<VxFigureSetupPane> VxFSAction::s_pane;

VxFSAction::VxFSAction(const QString& text, const QString& description) : VxAction(text, description)
{
    setObjectName(QStringLiteral("FigureSetupAction"));
}

QString VxFSAction::getActionGroup() const
{
    return tr("Kiln Figure Setup");
}

void VxFSAction::init()
{
    if (!s_pane && vxApp) {
        if (VxMainWindow* window = vxApp->getInterface())
            s_pane = qobject_cast<VxFigureSetupPane*>(window->getPaneMgr().findPane(QStringLiteral("VxFigureSetupPane")));
    }
    VxAction::init();
}

VxFigureSetupPane* VxFSAction::getPane()
{
    return s_pane;
}

bool VxFSAction::chooseTemplateFile(VxMainWindow* window, bool open, const QString& caption, QString& fileName)
{
    const QString lastDirectoryKey = QStringLiteral("LastTemplateDirectory");
    VxAppSettings settings(QStringLiteral("VxFigureSetup"));
    QString directory = settings.getStringValue(lastDirectoryKey, QString());
    if (directory.isEmpty())
        directory = vxApp->getDocumentsPath();

    VxFileFilter filter;
    filter.newFilter(tr("Vexel Figure Template"));
    filter.addExtension(QStringLiteral("vxt"));
    if (!window->doFileDialog(open, caption, directory, filter, fileName))
        return false;
    if (!fileName.isEmpty())
        settings.setStringValue(lastDirectoryKey, VxFileIO::getFilePath(fileName));
    return true;
}
