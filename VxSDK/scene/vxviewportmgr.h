#pragma once

#include "vxsdkglobal.h"

#include <QObject>

// Decides when the host's views redraw. Scene changes ask for a redraw; while redraws are
// locked (a counter, so locks nest) requests are only remembered, and the last unlock
// sends one redrawRequested() if any came in. Views redraw on redrawRequested().
class VXSDK_EXPORT VxViewportMgr : public QObject
{
    Q_OBJECT
public:
    explicit VxViewportMgr(QObject* parent = nullptr);
    ~VxViewportMgr() override;

    void lockRedraws();
    void unlockRedraws();
    int getRedrawLockDepth() const { return m_lockDepth; }
    bool areRedrawsLocked() const { return m_lockDepth > 0; }

    void requestRedraw();
    bool isRedrawPending() const { return m_pending; }

signals:
    void redrawRequested();

private:
    int m_lockDepth = 0;
    bool m_pending = false;
};
