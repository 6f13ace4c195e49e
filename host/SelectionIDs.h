#pragma once
// Identifiers of the host's selection architecture. The session carries the
// selection manager; the abstract selection (made by the manager) answers
// every suite call and finds the concrete selections of the current kinds
// (the text selection, and any other kind a front end adds).
#include "IDTypes.h"

// Interfaces.
constexpr PMIID IID_IINTEGRATORTARGET{0x19E};      // on the abstract selection
constexpr PMIID IID_ITEXTTARGET{0x27E};            // on the text selection
constexpr PMIID IID_ISELECTIONMANAGER{0xA29D};     // on the session
constexpr PMIID IID_ITEXTSELECTIONSUITE{0x1D30F};  // on the abstract selection
constexpr PMIID IID_ISELECTIONUTILS{0x16424};      // utility
constexpr PMIID IID_ISELECTIONEXTENSION{0x14100};  // on a concrete selection
// The abstract selection hears the models of the selected document under
// this interface.
constexpr PMIID IID_ISELECTIONMODELOBSERVER{0x14101};
// Active-selection observers attach to the session's subject for this
// protocol.
constexpr PMIID kActiveSelectionProtocol{290};

// Message kinds (the `change` an active-selection observer hears): the
// selection changed, or a model the selection shows changed (the suites
// affected are listed in the message).
constexpr ClassID kSelectionChangedMessage{0x14100};
constexpr ClassID kSelectionModelChangedMessage{0x2C62};

// Classes.
constexpr ClassID kAbstractSelectionBoss{0x14101};
constexpr ClassID kTextSelectionBoss{0x14102};

// Implementations.
constexpr ImplementationID kSelectionManagerImpl{0x14100};
constexpr ImplementationID kIntegratorTargetImpl{0x14101};
constexpr ImplementationID kTextSelectionSuiteImpl{0x14102};
constexpr ImplementationID kSelectionModelObserverImpl{0x14103};
constexpr ImplementationID kTextTargetImpl{0x14104};
constexpr ImplementationID kSelectionUtilsImpl{0x14105};
