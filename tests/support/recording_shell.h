#pragma once

#include "common/shell.h"

#include <QString>

#include <memory>
#include <vector>

// Records what the program asks the shell to open or print, and does nothing.
class RecordingShell {
public:
    struct Request {
        QString verb; // "open" or "print"
        QString target;
        bool operator==(const Request&) const = default;
    };

    RecordingShell();  // installs itself
    ~RecordingShell(); // restores the previous service

    const std::vector<Request>& requests() const { return requests_; }
    // The smallest text size asked of each print, in order.
    const std::vector<double>& printMinimums() const { return printMinimums_; }
    // From now on, opening is recorded but reported as failed.
    void failOpening() { opens_ = false; }
    // From now on, printing is recorded but reported as not done (the user cancelled).
    void cancelPrinting() { prints_ = false; }

private:
    class Proxy;
    std::vector<Request> requests_;
    std::vector<double> printMinimums_;
    bool opens_ = true;
    bool prints_ = true;
    std::unique_ptr<shell::Service> previous_;
};
