// The welcome dialog of the first start: an introduction beside the
// agreement, and Agree enabled only once the agreement has been read to
// its end (at once when it needs no scrolling).  OK for Agree, Cancel for
// anything else.
#pragma once

#include <string>

#include "skinlib/TesselButton.h"
#include "skinlib/TesselDialog.h"
#include "skinlib/TesselScrollBarPaintHook.h"
#include "tavilcheck/ui/LogRichEdit.h"

namespace tavil {

class WelcomeDialog : public TesselDialog {
public:
    WelcomeDialog(std::string introduction, std::string agreement);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange() override;
    void OnOK() override {} // Enter agrees to nothing

private:
    FW_DECLARE_MESSAGE_MAP(WelcomeDialog)
    LRESULT OnAgreementRead(WPARAM, LPARAM);
    LRESULT OnAgree(WPARAM, LPARAM);
    LRESULT OnDisagree(WPARAM, LPARAM);
    LRESULT OnSystemCommand(WPARAM, LPARAM);

    std::string m_introduction, m_agreement;
    LogRichEdit m_introductionText, m_agreementText;
    TesselScrollBarPaintHook m_scrollBars;
    TesselButton m_agree, m_disagree;
};

} // namespace tavil
