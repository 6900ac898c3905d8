#pragma once
// Connects the transfer to the configuration model of the running program. The transfer only
// sees the model through TransferModelAccess, so tests can drive it without a data module.

void wireTransferToModel();

// Gives the connection form the program's wait window and the installation's cloud credentials.
void wireLinkToApp();
