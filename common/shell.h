#pragma once

#include <QString>

#include <memory>

// Opening folders, files and web addresses, and printing HTML documents.
namespace shell {

class Service {
public:
    virtual ~Service() = default;
    // A folder, a file or a web address ("https://..."); false when nothing could open it.
    virtual bool open(const QString& target) = 0;
    // Prints an HTML document on a printer chosen by the user, the text it
    // leaves at its base size at least minimumPoints high on paper (0: the
    // program's font); false when not printed.
    virtual bool print(const QString& htmlFile, double minimumPoints = 0) = 0;
};

Service& service();

// Opens a folder, a file or an address; when nothing could open it, the user
// is told where it is. False in that case.
bool openOrReport(const QString& target);
std::unique_ptr<Service> install(std::unique_ptr<Service> replacement);

// The program's update installer on the maker's site, as an address.
QString updateAddress(const QString& updatePath);
inline constexpr const char* kMakerSite = "https://mises-a-jour.example";

} // namespace shell
