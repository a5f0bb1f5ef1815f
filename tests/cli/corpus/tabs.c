int main()
{
	if (x)	{	// tab	here
		return "a	b";
	}
	/* block	with	tabs
		and more */
}
