/* The product name that the component shows in its messages and that its
 * version information carries. Plain preprocessor text, so that the Windows
 * resource script and the C++ code take it from this one place. */
#ifndef RXTHEME_PICKER_PRODUCT_NAME_H_
#define RXTHEME_PICKER_PRODUCT_NAME_H_

#define RXTHEME_PRODUCT_NAME "Corvane Webdrift"

#endif
