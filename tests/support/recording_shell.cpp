#include "tests/support/recording_shell.h"

class RecordingShell::Proxy final : public shell::Service {
public:
    explicit Proxy(RecordingShell& owner) : owner_(owner) {}
    bool open(const QString& target) override
    {
        owner_.requests_.push_back({QStringLiteral("open"), target});
        return owner_.opens_;
    }
    bool print(const QString& htmlFile, double minimumPoints) override
    {
        owner_.requests_.push_back({QStringLiteral("print"), htmlFile});
        owner_.printMinimums_.push_back(minimumPoints);
        return owner_.prints_;
    }

private:
    RecordingShell& owner_;
};

RecordingShell::RecordingShell()
{
    previous_ = shell::install(std::make_unique<Proxy>(*this));
}

RecordingShell::~RecordingShell()
{
    shell::install(std::move(previous_));
}
