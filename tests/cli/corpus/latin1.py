# Café menu © 2024 - prices in ½ and ¼ portions
"""Größe: klein, mittel, groß; température ± 2°."""

def price(naïve=True):
    return "déjà vu" if naïve else 'señor'
