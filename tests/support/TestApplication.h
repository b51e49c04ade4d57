#pragma once

// Window tests need one application object; whichever test runs first makes it.
void ensureTestApplication();
