#include "vxmessageboxdismisser.h"

#include <QApplication>
#include <QEvent>
#include <QMessageBox>

VxMessageBoxDismisser::VxMessageBoxDismisser(QObject* parent) : QObject(parent)
{
    qApp->installEventFilter(this);
}

VxMessageBoxDismisser::~VxMessageBoxDismisser()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

bool VxMessageBoxDismisser::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show) {
        if (auto* box = qobject_cast<QMessageBox*>(watched)) {
            ++m_count;
            // Queued: the box's own event loop is running by the time the call arrives.
            QMetaObject::invokeMethod(box, "reject", Qt::QueuedConnection);
        }
    }
    return QObject::eventFilter(watched, event);
}
