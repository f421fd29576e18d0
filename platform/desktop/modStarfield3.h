// Window order for the setup dialog: in and out of the always-on-top band, without moving or
// resizing the window.
#pragma once

class Form;

void SetTopmost(Form& frm);
void ClearTopmost(Form& frm);
