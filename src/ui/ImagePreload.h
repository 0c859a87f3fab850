#pragma once

#include <QImage>
#include <QString>

// Pictures decoded on a worker thread while the program starts, so that a large one (the
// main window's background) is ready when its window is built instead of being decoded
// then, on the UI thread, before the window can show. The worker hands over its result
// through a future, read on the UI thread only; Start and Take are called from the UI
// thread only.
class ImagePreload {
public:
    // Starts decoding path on a worker thread; ignored when that path is already being
    // decoded.
    static void Start(const QString& path);

    // The picture at path: the preloaded one (waiting for its worker if it is not done
    // yet), which is then forgotten, or decoded now when it was not preloaded. A null image
    // when the path cannot be read.
    [[nodiscard]] static QImage Take(const QString& path);

    // Waits for every picture still being decoded and forgets them all. Call it before the
    // application object goes: a worker must not read resources while Qt shuts down.
    static void Forget();
};
