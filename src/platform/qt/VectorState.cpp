#include "platform/qt/VectorState.h"

#include <QAbstractEventDispatcher>
#include <QObject>

namespace tv {

#if defined(__x86_64__) && defined(__GNUC__)

namespace {

__attribute__((target("avx"))) void zeroUpperHalves() {
    __builtin_ia32_vzeroupper();
}

} // namespace

void clearVectorState() {
    static const bool hasAvx = __builtin_cpu_supports("avx");
    if (hasAvx)
        zeroUpperHalves();
}

#else

void clearVectorState() {}

#endif

void keepVectorStateClear() {
    clearVectorState();
    if (QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance())
        QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, &clearVectorState);
}

} // namespace tv
