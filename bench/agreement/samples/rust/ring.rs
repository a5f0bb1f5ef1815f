//! A fixed-capacity ring buffer that overwrites its oldest element.
//!
//! Written for the agreement corpus: generics, traits, lifetimes, macros.

use std::fmt::{self, Debug, Display};
use std::ops::{Index, IndexMut};

/// A ring of at most `N` elements.
#[derive(Clone)]
pub struct Ring<T, const N: usize> {
    items: [Option<T>; N],
    head: usize,
    len: usize,
}

impl<T, const N: usize> Ring<T, N> {
    pub const CAPACITY: usize = N;

    pub fn new() -> Self {
        Self { items: std::array::from_fn(|_| None), head: 0, len: 0 }
    }

    /// Pushes `value`; returns the element it pushed out, if any.
    pub fn push(&mut self, value: T) -> Option<T> {
        let slot = (self.head + self.len) % N;
        if self.len == N {
            let old = self.items[self.head].replace(value);
            self.head = (self.head + 1) % N;
            old
        } else {
            self.items[slot] = Some(value);
            self.len += 1;
            None
        }
    }

    pub fn pop(&mut self) -> Option<T> {
        if self.len == 0 {
            return None;
        }
        let value = self.items[self.head].take();
        self.head = (self.head + 1) % N;
        self.len -= 1;
        value
    }

    pub fn len(&self) -> usize { self.len }
    pub fn is_empty(&self) -> bool { self.len == 0 }

    pub fn iter(&self) -> Iter<'_, T, N> {
        Iter { ring: self, at: 0 }
    }
}

impl<T, const N: usize> Default for Ring<T, N> {
    fn default() -> Self { Self::new() }
}

impl<T, const N: usize> Index<usize> for Ring<T, N> {
    type Output = T;
    fn index(&self, i: usize) -> &T {
        assert!(i < self.len, "index {} out of range for length {}", i, self.len);
        self.items[(self.head + i) % N].as_ref().unwrap()
    }
}

impl<T, const N: usize> IndexMut<usize> for Ring<T, N> {
    fn index_mut(&mut self, i: usize) -> &mut T {
        assert!(i < self.len);
        self.items[(self.head + i) % N].as_mut().expect("slot filled")
    }
}

pub struct Iter<'a, T, const N: usize> {
    ring: &'a Ring<T, N>,
    at: usize,
}

impl<'a, T, const N: usize> Iterator for Iter<'a, T, N> {
    type Item = &'a T;
    fn next(&mut self) -> Option<Self::Item> {
        if self.at >= self.ring.len {
            return None;
        }
        let item = &self.ring[self.at];
        self.at += 1;
        Some(item)
    }
}

impl<T: Debug, const N: usize> Debug for Ring<T, N> {
    fn fmt(&self, f: &mut fmt::Formatter<'_>) -> fmt::Result {
        f.debug_list().entries(self.iter()).finish()
    }
}

impl<T: Display, const N: usize> Display for Ring<T, N> {
    fn fmt(&self, f: &mut fmt::Formatter) -> fmt::Result {
        write!(f, "[")?;
        for (i, item) in self.iter().enumerate() {
            if i > 0 {
                write!(f, ", ")?;
            }
            write!(f, "{}", item)?;
        }
        write!(f, "]")
    }
}

#[cfg(test)]
mod tests {
    use super::*;

    #[test]
    fn overwrites_oldest() {
        let mut ring: Ring<u32, 3> = Ring::new();
        for v in 1..=4 {
            ring.push(v);
        }
        assert_eq!(ring.iter().copied().collect::<Vec<_>>(), vec![2, 3, 4]);
        assert_eq!(format!("{}", ring), "[2, 3, 4]");
    }

    #[test]
    #[should_panic(expected = "out of range")]
    fn index_past_end_panics() {
        let ring: Ring<i8, 2> = Ring::default();
        let _ = ring[5];
    }
}
