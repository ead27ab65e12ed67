#pragma once
// Opens a link text in the system's default browser. The links page goes through this
// interface so that tests record what a click would open.
#include <string>

#include <QUrl>

namespace orvek {

class UrlOpener {
public:
    virtual ~UrlOpener() = default;
    // `link` as configured: a whole web address, or a bare host name. The outcome is the
    // system's; nothing is reported back.
    virtual void open(const std::string& link) = 0;
};

// The address a link text stands for: a text without a scheme (a bare host name such as
// "www.example.com") is taken as a plain web address on that host.
QUrl urlForLink(const std::string& link);

class DesktopUrlOpener : public UrlOpener {
public:
    void open(const std::string& link) override;
};

}  // namespace orvek
