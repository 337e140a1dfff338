#include "vxfiguresetuppaneaction.h"

VxFigureSetupPaneAction::VxFigureSetupPaneAction() : VxPaneAction(QStringLiteral("VxFigureSetupPane")) {}
