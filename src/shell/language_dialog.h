#pragma once

#include <QDialog>
#include <QString>

#include <vector>

class QListWidget;
class QPushButton;

// One language the language dialog offers.
struct LanguageChoice {
    QString locale; // the code the program switches to ("EN", or the base "RU")
    QString title;  // the line the list shows for it
};

// The language dialog of the locale runtime: "Select language", the languages as a sorted list,
// "OK" (the default button) and "Отмена". A double click on a language confirms it.
class TLaLanguageDialog : public QDialog {
    Q_OBJECT
public:
    // currentLocale is selected in the list when it is one of the choices.
    TLaLanguageDialog(const std::vector<LanguageChoice>& choices, const QString& currentLocale,
                      QWidget* parent = nullptr);

    // The code of the language selected in the list, empty when none is.
    QString SelectedLocale() const;

private:
    void FillList(const std::vector<LanguageChoice>& choices, const QString& currentLocale);

    QListWidget* LanguageList = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;
};
