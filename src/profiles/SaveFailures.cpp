#include "profiles/SaveFailures.h"

#include <memory>
#include <mutex>

namespace {

std::mutex& ObserverMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::shared_ptr<const SaveFailures::Observer>& CurrentObserver()
{
    static std::shared_ptr<const SaveFailures::Observer> observer;
    return observer;
}

}  // namespace

void SaveFailures::SetObserver(Observer observer)
{
    auto replacement = observer ? std::make_shared<const Observer>(std::move(observer)) : nullptr;
    const std::lock_guard lock(ObserverMutex());
    CurrentObserver() = std::move(replacement);
}

void SaveFailures::Report(const SaveFailure& failure)
{
    std::shared_ptr<const Observer> observer;
    {
        const std::lock_guard lock(ObserverMutex());
        observer = CurrentObserver();
    }
    // Called outside the lock, so an observer may replace itself.
    if (observer) {
        (*observer)(failure);
    }
}

SaveFailures::ScopedObserver::~ScopedObserver()
{
    if (m_set) {
        SetObserver({});
    }
}

void SaveFailures::ScopedObserver::Set(Observer observer)
{
    m_set = true;
    SetObserver(std::move(observer));
}
