#pragma once

class QUrl;

// The one way the program asks the desktop to open something: a help file or folder, a web
// address, a new e-mail. The window is given an implementation; tests record the requests.
class Desktop {
public:
    virtual ~Desktop() = default;
    // Hands the address to the desktop's own handler; false when it refused or found none.
    virtual bool OpenUrl(const QUrl& url) = 0;
};

// The desktop's real handlers (QDesktopServices).
class QtDesktop : public Desktop {
public:
    bool OpenUrl(const QUrl& url) override;
};
