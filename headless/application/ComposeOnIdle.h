#pragma once
// Composes every story of every open document; run at the start of each
// idle pass.
void ComposeOpenDocuments();
