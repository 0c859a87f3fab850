#include "ui/ImagePreload.h"

#include "ui/SkinImage.h"

#include <QThread>

#include <future>
#include <map>
#include <memory>

namespace {

QImage Decode(const QString& path)
{
    return SkinImage::ReadFile(path);
}

// A picture being decoded: the worker, a QThread (decoding loads Qt's image plugins, and a
// thread Qt did not start would have to be adopted by it, whose clean-up at the thread's
// end MinGW builds of Qt do not survive), and its result.
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
