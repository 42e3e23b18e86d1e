#include "register/register_news.h"

TRegisterNews &RegisterNews()
{
    static TRegisterNews news;
    return news;
}
