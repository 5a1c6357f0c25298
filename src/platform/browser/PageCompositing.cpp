#include "platform/browser/PageCompositing.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QQuickWindow>
#include <QSGRendererInterface>
#include <utility>

namespace lectern::platform {

namespace {

// The renderer of the OpenGL the views would get, or nothing when there is
// no OpenGL at all.
QByteArray openGlRenderer() {
    QOpenGLContext context;
    if (!context.create())
        return {};
    QOffscreenSurface surface;
    surface.setFormat(context.format());
    surface.create();
    if (!surface.isValid() || !context.makeCurrent(&surface))
        return {};
    const auto* name = reinterpret_cast<const char*>(context.functions()->glGetString(GL_RENDERER));
    QByteArray renderer(name ? name : "");
    context.doneCurrent();
    return renderer;
}

}  // namespace

bool isSoftwareRenderer(QByteArrayView renderer) {
    if (renderer.isEmpty())
        return true;
    const QByteArray lower = renderer.toByteArray().toLower();
    for (const char* name : {"llvmpipe", "softpipe", "swrast", "software rasterizer", "swiftshader",
                             "basic render driver"})
        if (lower.contains(name))
            return true;
    return false;
}

void choosePageCompositing() {
    static bool done = false;
    if (std::exchange(done, true) || qEnvironmentVariableIsSet("QT_QUICK_BACKEND"))
        return;
    if (isSoftwareRenderer(openGlRenderer()))
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
}

}  // namespace lectern::platform
