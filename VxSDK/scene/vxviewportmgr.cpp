#include "vxviewportmgr.h"

VxViewportMgr::VxViewportMgr(QObject* parent) : QObject(parent) {}

VxViewportMgr::~VxViewportMgr() = default;

void VxViewportMgr::lockRedraws()
{
    ++m_lockDepth;
}

void VxViewportMgr::unlockRedraws()
{
    if (m_lockDepth == 0)
        return;
    if (--m_lockDepth == 0 && m_pending) {
        m_pending = false;
        emit redrawRequested();
    }
}

void VxViewportMgr::requestRedraw()
{
    if (m_lockDepth > 0) {
        m_pending = true;
        return;
    }
    emit redrawRequested();
}
