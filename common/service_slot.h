#pragma once

#include <QtGlobal>

#include <memory>
#include <utility>

// Where one of the programs' services lives: the program installs its real
// one at start, a test its double, and puts back the one it replaced.
template <class Service>
class ServiceSlot {
public:
    // `missing` is the fatal message for a use before anything was installed.
    explicit constexpr ServiceSlot(const char* missing) : missing_(missing) {}
    ServiceSlot(const ServiceSlot&) = delete;
    ServiceSlot& operator=(const ServiceSlot&) = delete;

    Service& get() const
    {
        if (!installed_)
            qFatal("%s", missing_);
        return *installed_;
    }

    // Returns the service it replaces.
    std::unique_ptr<Service> install(std::unique_ptr<Service> replacement)
    {
        return std::exchange(installed_, std::move(replacement));
    }

private:
    const char* missing_;
    std::unique_ptr<Service> installed_;
};
