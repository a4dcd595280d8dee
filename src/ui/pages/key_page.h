#pragma once

#include "ui/control_families.h"
#include "ui/pages/one_key_rows.h"

#include <QWidget>

#include <array>

class DialogService;
class ExitEdit;
class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QScrollArea;

// The page "Идентификаторы ТМ" (TabSheetTM): 28 Touch Memory keys, each row with its number
// KeyRowLabel<n>, its identifier CodeTM<n>, its one-key box onekeymode<n> and the loops it may
// arm (shvz<n><loop>) and disarm (shsn<n><loop>), under a fixed header KeyHeaderPanel with the
// column titles and the box OnekeymodeAll. It builds and owns them as typed members under their
// object names, with their captions.
//
// It runs the rules that need only its own controls: the identifier's digit filter (Id1Change)
// and check when left (Id1Exit), and the one-key mode (OneKeyModeShl, AllKeyModeShl). A click into
// an identifier chooses the target of a key read, which the window keeps (Id1Click), told by
// identifierClicked.
class KeyPage : public QWidget {
    Q_OBJECT
public:
    static constexpr int kKeys = velor::window::kKeys;
    static constexpr int kLoops = velor::window::kLoops;

    // dialogs shows the rules' boxes; it outlives the page.
    explicit KeyPage(DialogService& dialogs, QWidget* parent = nullptr);

    // The captions in the language now in use.
    void Retranslate();

    // The identifier edit of key 1 ... 28.
    ExitEdit* Identifier(int key) const { return codes_.at(key - 1); }
    // Unticks OnekeymodeAll, then onekeymode1 ... onekeymode28 (their rules run).
    void UncheckOneKeyModes();

signals:
    // A click into an identifier edit.
    void identifierClicked(ExitEdit* edit);

private:
    QWidget* BuildHeader(int rowsOffset);
    QWidget* BuildKeyRow(QWidget* rows, int key);
    QScrollArea* BuildRows();
    void Wire();

    // The rules (their traced names).
    void Id1Change(QObject* sender);
    void Id1Exit(QObject* sender);
    void OneKeyModeShl();
    void AllKeyModeShl();

    // Whether another identifier edit holds the same text as edit.
    bool IsDuplicate(const QLineEdit& edit) const;
    void RejectDuplicate(QLineEdit& edit);
    bool AskReenter();

    DialogService& dialogs_;
    std::array<ExitEdit*, kKeys> codes_{};
    std::array<QLabel*, kKeys> rowLabels_{};
    std::array<QLabel*, kLoops> armLoopTitles_{};
    std::array<QLabel*, kLoops> disarmLoopTitles_{};
    QLabel* rightsTitle_ = nullptr;
    QLabel* numberTitle_ = nullptr;
    QLabel* codeTitle_ = nullptr;
    QLabel* armTitle_ = nullptr;
    QLabel* disarmTitle_ = nullptr;
    QCheckBox* allOneKey_ = nullptr;
    // The rows' boxes for the one-key rule, and the rows it has yet to bring up to date.
    OneKeyRows oneKeyRows_;
};
