#pragma once

class QWidget;

// The maker's logo with the web and e-mail links, shown on the main page (panel 1: LogoImage1,
// WWWLabel, EMailLabel) and on the firmware page (panel 2: LogoImage2, WWWLabel2, EMailLabel2).
// The links are ClickLabel controls; what a click opens is bound by the program's shell.
namespace velor {

inline constexpr char kMakerWebAddress[] = "www.velor.example";
inline constexpr char kMakerSupportAddress[] = "support@velor.example";

QWidget* BuildMakerPanel(QWidget* parent, int number);
void RetranslateMakerPanel(QWidget& panel);

} // namespace velor
