#pragma once
// Messages to the user, and modal questions with up to three buttons. The
// answer is the 1-based number of the button chosen.
#include "PMString.h"

class CAlert {
public:
  static void ErrorAlert(const PMString& message);
  static void WarningAlert(const PMString& message);
  static void InformationAlert(const PMString& message);
  static int16 ModalAlert(const PMString& message, const PMString& button1, const PMString& button2,
                          const PMString& button3, int16 defaultButton);
};
