#include "ui/ImagePreload.h"

#include "ui/SkinImage.h"

#include <future>
#include <map>

namespace {

QImage Decode(const QString& path)
{
    return SkinImage::ReadFile(path);
}

// Pictures started and not yet taken. Touched on the UI thread only; a worker sees its
// own copy of the path and returns the image through its future.
std::map<QString, std::future<QImage>>& Pending()
{
    static std::map<QString, std::future<QImage>> pending;
    return pending;
}

}  // namespace

void ImagePreload::Start(const QString& path)
{
    auto& pending = Pending();
    if (pending.find(path) != pending.end())
        return;
    pending.emplace(path, std::async(std::launch::async, Decode, path));
}

QImage ImagePreload::Take(const QString& path)
{
    auto& pending = Pending();
    const auto found = pending.find(path);
    if (found == pending.end())
        return Decode(path);
    QImage image = found->second.get();
    pending.erase(found);
    return image;
}

void ImagePreload::Forget()
{
    auto& pending = Pending();
    for (auto& [path, image] : pending)
        image.wait();
    pending.clear();
}
