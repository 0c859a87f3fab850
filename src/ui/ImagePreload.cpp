#include "ui/ImagePreload.h"

#include "ui/SkinImage.h"

#include <QImageReader>
#include <QThread>

#include <future>
#include <map>
#include <memory>

namespace {

QImage Decode(const QString& path)
{
    return SkinImage::ReadFile(path);
}

// Has Qt list its image format plugins on the calling thread, the UI thread, so that a
// worker's reader finds the list made. Making it matches the file names in the plugin
// folders against "*.dll", and Qt's pattern matcher gives every thread that matches a
// thread_local stack. MinGW's runtime ends a thread by freeing its thread_local storage
// before it destroys the objects in it, so a worker's end would destroy that stack in
// freed memory. Where that faults, the system's thread-exit callbacks swallow the fault
// and leave the runtime's lock on its thread keys taken; the process then never ends, as
// the C++ library waits for that lock when it is unloaded. The UI thread's thread_locals
// are destroyed by the library's exit handler, before their storage goes.
void ListImagePluginsOnThisThread()
{
#if defined(__MINGW32__)
    (void)QImageReader::supportedImageFormats();
#endif
}

// A picture being decoded: the worker, a QThread (decoding uses Qt's image plugins, and
// Qt's own threads need not be adopted by it), and its result.
struct PendingImage {
    std::unique_ptr<QThread> worker;
    std::future<QImage> image;
};

// Pictures started and not yet taken. Touched on the UI thread only; a worker sees its
// own copy of the path and returns the image through its future.
std::map<QString, PendingImage>& Pending()
{
    static std::map<QString, PendingImage> pending;
    return pending;
}

}  // namespace

void ImagePreload::Start(const QString& path)
{
    auto& pending = Pending();
    if (pending.find(path) != pending.end())
        return;
    ListImagePluginsOnThisThread();
    std::packaged_task<QImage()> decode([path] { return Decode(path); });
    std::future<QImage> image = decode.get_future();
    std::unique_ptr<QThread> worker(QThread::create(std::move(decode)));
    worker->start();
    pending.emplace(path, PendingImage{std::move(worker), std::move(image)});
}

QImage ImagePreload::Take(const QString& path)
{
    auto& pending = Pending();
    const auto found = pending.find(path);
    if (found == pending.end())
        return Decode(path);
    QImage image = found->second.image.get();
    found->second.worker->wait();
    pending.erase(found);
    return image;
}

void ImagePreload::Forget()
{
    auto& pending = Pending();
    for (auto& [path, picture] : pending)
        picture.worker->wait();
    pending.clear();
}
