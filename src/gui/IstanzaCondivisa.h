#pragma once

#include <QWidget>

// Each window exists as one shared instance, created on first use; its load step (Form_Load,
// when the window has one) runs once per creation. Unloading deletes it, and the next use
// creates it afresh.
template <typename Finestra> class IstanzaCondivisa {
public:
    static Finestra& Ottieni() {
        if (!istanza_) {
            istanza_ = new Finestra();
            if constexpr (requires(Finestra & f) { f.Form_Load(); })
                istanza_->Form_Load();
        }
        return *istanza_;
    }

    static bool Caricata() { return istanza_ != nullptr; }

    // Hides and deletes the window once control has left its event handlers.
    static void Scarica() {
        if (!istanza_)
            return;
        istanza_->hide();
        istanza_->deleteLater();
        istanza_ = nullptr;
    }

private:
    static inline Finestra* istanza_ = nullptr;
};
