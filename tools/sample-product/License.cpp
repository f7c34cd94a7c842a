// The sample product's licence text, written out with CR LF line ends (2,228 bytes). Long
// paragraphs stay on one line so that the wizard's memo wraps them.
#include "SampleProduct.h"

const char kLicenseText[] = R"(CORVELLA WORD PROCESSOR
LICENSE AGREEMENT

Please read this agreement carefully before you install the Corvella Word Processor. By installing, copying or otherwise using the software you accept its terms. If you do not accept them, do not install the software.

1. GRANT OF LICENSE
You may install the software on any number of
computers that you own or control, and you may
use it there for any lawful purpose, at home or
at work.

2. PORTABLE USE
You may install the software on a removable disk and run it from there on computers that you are allowed to use.

3. DOCUMENTS AND CLIP ART
The documents you write with the software belong
to you. You may use the templates and the
pictures of the clip library in your own
documents, printed or electronic, and pass such
documents on without asking anyone.

4. RESTRICTIONS
You may not sell, rent or lend the software, and
you may not remove or change any notice of
ownership in it.

5. DICTIONARIES
The spelling and hyphenation dictionaries are licensed together with the software and may only be used with it.

6. NO WARRANTY
The software is provided "as is", without any
warranty, express or implied, including any
warranty of fitness for a particular purpose.
Use it at your own risk.

7. LIMITATION OF LIABILITY
In no event shall the authors be liable for any damages whatsoever, including lost profits, lost data or business interruption, arising from the use of the software or the inability to use it, even if they were told of the possibility of such damages.

8. UPDATES
An update of the software installs over the
earlier version and keeps your settings,
dictionaries and documents. The terms of this
agreement apply to every update as well.

9. PRIVACY
The software does not send any information about you, your computer or your documents anywhere. What you write stays on your own drives.

10. TERMINATION
This license ends automatically if you break any
of its terms. You must then remove every copy of
the software.

11. ENTIRE AGREEMENT
This agreement is the entire agreement between
you and the authors about the software. It
replaces any earlier one.

Thank you for choosing the Corvella Word Processor.
)";
